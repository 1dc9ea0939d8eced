#include "model/Graphic.h"

#include "base/Error.h"
#include "model/Font.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>
#include <algorithm>
#include <iterator>

namespace {

struct TGraphicKind {
    const char16_t *ClassName;
    const char *Format; // Qt image format; null for metafiles
    const char16_t *Extension;
};

constexpr TGraphicKind kKinds[] = {
    {u"TBitmap", "BMP", u"bmp"},     {u"TJPEGImage", "JPG", u"jpg"}, {u"TIcon", "ICO", u"ico"},
    {u"TMetafile", nullptr, u"emf"}, {u"TPngImage", "PNG", u"png"},
};

const TGraphicKind *FindKind(QStringView className)
{
    for (const TGraphicKind &kind : kKinds)
        if (className == QStringView(kind.ClassName))
            return &kind;
    return nullptr;
}

constexpr qsizetype kEmfHeaderSize = 88;
constexpr uint32_t kEmfSignature = 0x464D4520; // " EMF"

int32_t Int32At(const QByteArray &data, qsizetype offset)
{
    return qFromLittleEndian<int32_t>(data.constData() + offset);
}

// An enhanced metafile starts with its header record: type 1, a size that
// fits the file, and the signature " EMF" at offset 40.
bool IsEnhancedMetafile(const QByteArray &data)
{
    if (data.size() < kEmfHeaderSize)
        return false;
    const int32_t recordSize = Int32At(data, 4);
    return Int32At(data, 0) == 1 && recordSize >= kEmfHeaderSize && recordSize <= data.size() &&
           uint32_t(Int32At(data, 40)) == kEmfSignature;
}

// Converts a length of the metafile frame (hundredths of a millimetre) to
// pixels at 96 per inch.
int FrameToPixels(int32_t from, int32_t to)
{
    const int64_t length = std::clamp<int64_t>(int64_t(to) - from, 0, INT32_MAX);
    return MulDiv(int(length), 96, 2540);
}

} // namespace

std::optional<TGraphic> TGraphic::Decode(QStringView className, const QByteArray &data)
{
    const TGraphicKind *kind = FindKind(className);
    if (!kind || data.isEmpty())
        return std::nullopt;
    TGraphic graphic;
    if (kind->Format) {
        QBuffer buffer;
        buffer.setData(data);
        buffer.open(QIODevice::ReadOnly);
        // Only the class's own format may decode: a PNG named "TBitmap" is
        // no bitmap.
        QImageReader reader(&buffer, kind->Format);
        reader.setAutoDetectImageFormat(false);
        graphic.FImage = reader.read();
        if (graphic.FImage.isNull())
            return std::nullopt;
    } else if (!IsEnhancedMetafile(data)) {
        return std::nullopt;
    }
    graphic.FClassName = QString::fromUtf16(kind->ClassName);
    graphic.FData = data;
    return graphic;
}

TGraphic TGraphic::FromData(QStringView className, const QByteArray &data)
{
    if (!FindKind(className))
        throw EError(QStringLiteral("Неизвестный тип изображения \"%1\".").arg(className));
    std::optional<TGraphic> graphic = Decode(className, data);
    if (!graphic)
        throw EError(QStringLiteral("Данные не являются изображением типа \"%1\".").arg(className));
    return *graphic;
}

TGraphic TGraphic::FromFile(const QString &fileName)
{
    const QString className = ClassNameOfExtension(QFileInfo(fileName).suffix());
    if (className.isEmpty())
        throw EError(QStringLiteral("Неизвестный формат файла изображения \"%1\".").arg(fileName));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EError(QStringLiteral("Не удалось открыть файл \"%1\".").arg(fileName));
    // Reading one byte more than allowed tells a file that is too large
    // without reading all of it.
    const QByteArray data = file.read(kMaxGraphicSize + 1);
    if (data.size() > kMaxGraphicSize)
        throw EError(QStringLiteral("Размер изображения не может превышать 256 КБ."));
    std::optional<TGraphic> graphic = Decode(className, data);
    if (!graphic)
        throw EError(QStringLiteral("Файл \"%1\" не является изображением.").arg(fileName));
    return *graphic;
}

QString TGraphic::ClassNameOfExtension(QStringView extension)
{
    if (extension.compare(u"jpeg", Qt::CaseInsensitive) == 0)
        return QStringLiteral("TJPEGImage");
    for (const TGraphicKind &kind : kKinds)
        if (extension.compare(QStringView(kind.Extension), Qt::CaseInsensitive) == 0)
            return QString::fromUtf16(kind.ClassName);
    return QString();
}

QStringList TGraphic::ClassNames()
{
    QStringList names;
    for (const TGraphicKind &kind : kKinds)
        names.append(QString::fromUtf16(kind.ClassName));
    return names;
}

QString TGraphic::FileFilter()
{
    return QStringLiteral("Все изображения (*.bmp *.jpg *.jpeg *.ico *.png *.emf);;"
                          "Точечные рисунки (*.bmp);;Изображения JPEG (*.jpg *.jpeg);;"
                          "Значки (*.ico);;Изображения PNG (*.png);;Метафайлы (*.emf)");
}

bool TGraphic::IsMetafile() const
{
    return FClassName == u"TMetafile";
}

QImage TGraphic::ImageToDraw() const
{
    if (!FTransparent || FClassName != u"TBitmap" || FImage.isNull())
        return FImage;
    QImage image = FImage.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (line[x] == key)
                line[x] = 0;
    }
    return image;
}

QSize TGraphic::Size() const
{
    if (IsMetafile() && IsEnhancedMetafile(FData)) {
        // rclFrame: left, top, right, bottom from offset 24.
        return QSize(FrameToPixels(Int32At(FData, 24), Int32At(FData, 32)),
                     FrameToPixels(Int32At(FData, 28), Int32At(FData, 36)));
    }
    return FImage.size();
}

QString TGraphic::DefaultExtension() const
{
    const TGraphicKind *kind = FindKind(FClassName);
    return kind ? QString::fromUtf16(kind->Extension) : QString();
}

void TGraphic::SaveToFile(const QString &fileName) const
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(FData) != FData.size())
        throw EError(QStringLiteral("Не удалось записать файл \"%1\".").arg(fileName));
}

bool TGraphic::operator==(const TGraphic &other) const
{
    return FClassName == other.FClassName && FData == other.FData && FTransparent == other.FTransparent;
}
