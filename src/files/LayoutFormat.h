#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

class QIODevice;
class TKeyboards;
class TLayout;
class TLayoutFormats;

/// One way of turning a layout into bytes and back: a layout file or a device
/// image. A format names itself with a file-dialog filter, a short name (for
/// the command line) and a default file suffix, and saves and loads layouts
/// through streams; the file and string operations are shared by all formats.
class TLayoutFormat {
public:
    /// Creates the format as the last member of formats (if given); keyboards
    /// is the catalogue in which the format looks up the models of layouts.
    TLayoutFormat(TLayoutFormats *formats, const TKeyboards &keyboards);
    virtual ~TLayoutFormat();
    TLayoutFormat(const TLayoutFormat &) = delete;
    TLayoutFormat &operator=(const TLayoutFormat &) = delete;

    /// Returns the registry the format belongs to, or null.
    TLayoutFormats *Formats() const { return FFormats; }
    /// Moves the format to the end of another registry (or out of any).
    void SetFormats(TLayoutFormats *formats);
    /// Returns the keyboard model catalogue the format uses.
    const TKeyboards &Keyboards() const { return FKeyboards; }

    /// Returns the file-dialog filter: a description and a file mask joined
    /// by "|". The base returns an empty text.
    virtual QString GetFilter() const;
    /// Returns the short name by which the command line chooses the format
    /// ("xml", "bin" ...). The base returns an empty text.
    virtual QString ShortName() const;
    /// Returns the file suffix (without the dot) files of the format usually
    /// have. The base returns an empty text.
    virtual QString DefaultSuffix() const;
    /// Writes the layout to the stream. The base writes nothing.
    virtual void SaveToStream(const TLayout &layout, QIODevice &stream);
    /// Reads the stream into the layout. The base reads nothing. A failure
    /// may leave the layout partly filled; LoadFromFile and LoadFromString
    /// guard their callers against that.
    virtual void LoadFromStream(TLayout &layout, QIODevice &stream);

    /// Writes the layout to a file, replacing it atomically: a save that
    /// fails leaves the old file as it was, and an existing path that is not
    /// a regular file (a device, a FIFO) is refused. Only after success the
    /// path becomes the layout's file name (which clears Modified). Raises
    /// EError naming the file.
    void SaveToFile(TLayout &layout, const QString &path);
    /// Reads a file into the layout and then makes the path its file name.
    /// Only regular files of at most FileLimits::kLayoutFile bytes are read.
    /// On any error the layout stays exactly as it was.
    void LoadFromFile(TLayout &layout, const QString &path);
    /// Returns the bytes SaveToStream writes (empty if it writes nothing); a
    /// form that makes its bytes in one piece returns them without copying.
    virtual QByteArray SaveToString(const TLayout &layout);
    /// Reads bytes into the layout; on any error the layout stays exactly as
    /// it was. Empty data raises EFileFormatError with the detail
    /// "Отсутствуют данные раскладки".
    void LoadFromString(TLayout &layout, const QByteArray &data);

private:
    friend class TLayoutFormats;
    void LoadGuarded(TLayout &layout, QIODevice &stream);

    TLayoutFormats *FFormats = nullptr;
    const TKeyboards &FKeyboards;
};

/// An ordered registry of layout formats; the position of a format is the
/// index file dialogs and device operations choose it by. The registry does
/// not own its formats: a format joins when it is created with the registry
/// and leaves when it is destroyed or moved to another one.
class TLayoutFormats {
public:
    TLayoutFormats() = default;
    /// Leaves the remaining formats without a registry.
    ~TLayoutFormats();
    TLayoutFormats(const TLayoutFormats &) = delete;
    TLayoutFormats &operator=(const TLayoutFormats &) = delete;

    int Count() const { return int(FItems.size()); }
    /// Returns the format at index (from 0); raises "Неверный индекс формата"
    /// for an index below 0 or not below Count.
    TLayoutFormat &Item(int index) const;
    /// Returns the index of a format, -1 if it is not a member.
    int IndexOf(const TLayoutFormat *format) const;
    /// Returns the filters of all formats joined by "|" in registry order:
    /// the filter text of a file dialog, whose 1-based filter index minus one
    /// is the registry index.
    QString Filter() const;

private:
    friend class TLayoutFormat;
    std::vector<TLayoutFormat *> FItems;
};
