#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <memory>
#include <optional>

/// The greatest number of file bytes a key picture's graphic may have; it
/// keeps every layout file line within the XML reader's 1 MiB buffer.
inline constexpr qsizetype kMaxGraphicSize = 256 * 1024;

/// The greatest width and height a key picture's image is decoded with: a
/// decoded image of that size takes 64 MiB. Larger ones are drawn as empty
/// cells, and refused when the user loads them.
inline constexpr int kMaxGraphicDimension = 4096;

/// The graphic of a key picture: its class name ("TBitmap", "TJPEGImage",
/// "TIcon", "TMetafile", "TPngImage"), its file bytes exactly as stored and
/// the transparent flag. A graphic read from a layout keeps its class name
/// and bytes whether or not they decode, so that saving writes them back
/// unchanged; the image is decoded only when it is drawn, once for all
/// copies of the graphic. A default graphic is empty.
class TGraphic {
public:
    TGraphic() = default;

    /// Returns a graphic holding the class name and bytes as a layout stored
    /// them, without decoding them; any class name is kept.
    static TGraphic FromStored(QStringView className, const QByteArray &data);
    /// Returns a graphic of the class holding the bytes, or nothing when the
    /// class is unknown, the bytes are no picture of that kind or the image
    /// is larger than kMaxGraphicDimension either way.
    static std::optional<TGraphic> Decode(QStringView className, const QByteArray &data);
    /// Returns the graphic like Decode; raises "Неизвестный тип изображения
    /// \"%1\".", "Данные не являются изображением типа \"%1\"." or the size
    /// message (see FromFile) instead of returning nothing.
    static TGraphic FromData(QStringView className, const QByteArray &data);
    /// Returns the graphic held in a .bmp, .jpg, .jpeg, .ico, .png or .emf
    /// file; raises EError when the extension is unknown, the file cannot be
    /// read, is larger than kMaxGraphicSize, holds no such picture or an image
    /// larger than kMaxGraphicDimension ("Изображение %1×%2 точек слишком
    /// велико: допустимо не более 4096×4096 точек.").
    static TGraphic FromFile(const QString &fileName);
    /// Returns the class name for a file extension (without the dot, any
    /// letter case), empty when the extension is not known.
    static QString ClassNameOfExtension(QStringView extension);
    /// Returns the known class names.
    static QStringList ClassNames();
    /// Returns the file dialog filter of all known graphic files:
    /// description and pattern pairs separated by "|", patterns by ";".
    static QString FileFilter();

    bool IsEmpty() const { return FClassName.isEmpty() || FData.isEmpty(); }
    const QString &ClassName() const { return FClassName; }
    /// Returns the file bytes of the graphic.
    const QByteArray &Data() const { return FData; }
    bool IsMetafile() const;
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value) { FTransparent = value; }

    /// Returns the decoded image, decoding it on the first call; null for
    /// metafiles and empty graphics, and for images that cannot be decoded
    /// or are larger than kMaxGraphicDimension, which are reported through
    /// ReportNotDrawn.
    QImage Image() const;
    /// Returns the image to draw: for a transparent bitmap the colour of its
    /// bottom-left pixel becomes transparent.
    QImage ImageToDraw() const;
    /// Returns the natural size in pixels, read from the file's header
    /// without decoding it; a metafile's frame counts at 96 pixels per inch.
    /// Empty when the header cannot be read.
    QSize Size() const;
    /// Tells, with qWarning and only the first time for this graphic and its
    /// copies, that it is drawn as an empty cell and why.
    void ReportNotDrawn(const QString &reason) const;
    /// Returns the usual file extension of the class ("bmp" ...), without dot.
    QString DefaultExtension() const;
    /// Writes the file bytes to a file; raises EError when it fails.
    void SaveToFile(const QString &fileName) const;

    /// Returns whether class, bytes and transparent flag are the same.
    bool operator==(const TGraphic &other) const;

private:
    // What copies of one graphic share: the decoded image and header size,
    // once known, and whether a fault was reported.
    struct TDecodeState;

    QString FClassName;
    QByteArray FData;
    bool FTransparent = false;
    std::shared_ptr<TDecodeState> FState;
};
