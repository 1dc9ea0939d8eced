#include "pictures/GraphicFiles.h"

#include "base/Error.h"
#include "base/SafeFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QStringList>

namespace {

// Returns the extensions of the image formats Qt reads that are no graphic
// kind of their own.
QStringList ConvertedExtensions()
{
    QStringList result;
    for (const QByteArray &format : QImageReader::supportedImageFormats()) {
        const QString extension = QString::fromLatin1(format).toLower();
        if (TGraphic::ClassNameOfExtension(extension).isEmpty() && !result.contains(extension))
            result << extension;
    }
    return result;
}

QString Patterns(const QStringList &extensions)
{
    QStringList patterns;
    for (const QString &extension : extensions)
        patterns << QStringLiteral("*.") + extension;
    return patterns.join(u';');
}

// Reads an image of a format Qt knows and returns it as a PNG graphic.
TGraphic ConvertedGraphic(const QString &fileName, const QString &extension)
{
    QByteArray data = ReadFileBounded(fileName, FileLimits::kPictureFile);
    if (data.size() > kMaxGraphicSize)
        throw EError(
            QCoreApplication::translate("GraphicFiles", "Размер изображения не может превышать 256 КБ."));
    QBuffer source(&data);
    QImageReader reader(&source, extension.toLatin1());
    const QImage image = reader.read();
    if (image.isNull())
        throw EError(QCoreApplication::translate("GraphicFiles", "Файл \"%1\" не является изображением.")
                         .arg(fileName));
    QByteArray png;
    QBuffer target(&png);
    target.open(QIODevice::WriteOnly);
    QImageWriter(&target, "PNG").write(image);
    // The size rules hold for what the layout keeps: the PNG bytes.
    if (png.size() > kMaxGraphicSize)
        throw EError(
            QCoreApplication::translate("GraphicFiles", "Размер изображения не может превышать 256 КБ."));
    return TGraphic::FromData(u"TPngImage", png);
}

} // namespace

QString GraphicFileFilter()
{
    QStringList parts = TGraphic::FileFilter().split(u'|');
    const QStringList converted = ConvertedExtensions();
    if (!converted.isEmpty()) {
        // The first filter lists every kind: the converted formats join it.
        parts[1] += u';' + Patterns(converted);
        parts << QCoreApplication::translate("GraphicFiles", "Другие изображения") << Patterns(converted);
    }
    return parts.join(u'|');
}

TGraphic LoadGraphicFile(const QString &fileName)
{
    const QString extension = QFileInfo(fileName).suffix().toLower();
    if (!TGraphic::ClassNameOfExtension(extension).isEmpty() || !ConvertedExtensions().contains(extension))
        return TGraphic::FromFile(fileName);
    return ConvertedGraphic(fileName, extension);
}
