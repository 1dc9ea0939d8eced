#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

/// The greatest number of file bytes a key picture's graphic may have; it
/// keeps every layout file line within the XML reader's 1 MiB buffer.
inline constexpr qsizetype kMaxGraphicSize = 256 * 1024;

/// The graphic of a key picture: its class name ("TBitmap", "TJPEGImage",
/// "TIcon", "TMetafile", "TPngImage"), its file bytes exactly as stored, the
/// transparent flag and, except for metafiles, the decoded image. A default
/// graphic is empty.
class TGraphic {
public:
    TGraphic() = default;

    /// Returns a graphic of the class holding the bytes, or nothing when the
    /// class is unknown or the bytes are no picture of that kind.
    static std::optional<TGraphic> Decode(QStringView className, const QByteArray &data);
    /// Returns the graphic like Decode; raises "Неизвестный тип изображения
    /// \"%1\"." or "Данные не являются изображением типа \"%1\"." instead of
    /// returning nothing.
    static TGraphic FromData(QStringView className, const QByteArray &data);
    /// Returns the graphic held in a .bmp, .jpg, .jpeg, .ico, .png or .emf
    /// file; raises EError when the extension is unknown, the file cannot be
    /// read, is larger than kMaxGraphicSize or holds no such picture.
    static TGraphic FromFile(const QString &fileName);
    /// Returns the class name for a file extension (without the dot, any
    /// letter case), empty when the extension is not known.
    static QString ClassNameOfExtension(QStringView extension);
    /// Returns the known class names.
    static QStringList ClassNames();
    /// Returns the file dialog filter of all known graphic files.
    static QString FileFilter();

    bool IsEmpty() const { return FClassName.isEmpty() || FData.isEmpty(); }
    const QString &ClassName() const { return FClassName; }
    /// Returns the file bytes of the graphic.
    const QByteArray &Data() const { return FData; }
    bool IsMetafile() const;
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value) { FTransparent = value; }

    /// Returns the decoded image; null for metafiles and empty graphics.
    const QImage &Image() const { return FImage; }
    /// Returns the image to draw: for a transparent bitmap the colour of its
    /// bottom-left pixel becomes transparent.
    QImage ImageToDraw() const;
    /// Returns the natural size in pixels; a metafile's frame counts at
    /// 96 pixels per inch.
    QSize Size() const;
    /// Returns the usual file extension of the class ("bmp" ...), without dot.
    QString DefaultExtension() const;
    /// Writes the file bytes to a file; raises EError when it fails.
    void SaveToFile(const QString &fileName) const;

    /// Returns whether class, bytes and transparent flag are the same.
    bool operator==(const TGraphic &other) const;

private:
    QString FClassName;
    QByteArray FData;
    bool FTransparent = false;
    QImage FImage;
};
