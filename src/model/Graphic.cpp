#include "model/Graphic.h"

#include "base/Error.h"
#include "base/SafeFile.h"
#include "model/Font.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>
#include <QtGlobal>
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

// Bytes that are no picture of their kind; a picture too large to keep is
// told apart by its own message.
class EDecodeError : public EError {
public:
    using EError::EError;
};

void OpenReader(QImageReader &reader, QBuffer &buffer, const TGraphicKind &kind, const QByteArray &data)
{
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    // Only the class's own format may decode: a PNG named "TBitmap" is no
    // bitmap.
    reader.setDevice(&buffer);
    reader.setFormat(kind.Format);
    reader.setAutoDetectImageFormat(false);
}

// The size the file's header gives, without decoding the pixels.
QSize HeaderSize(const TGraphicKind &kind, const QByteArray &data)
{
    QBuffer buffer;
    QImageReader reader;
    OpenReader(reader, buffer, kind, data);
    return reader.size();
}

bool TooLarge(const QSize &size)
{
    return size.width() > kMaxGraphicDimension || size.height() > kMaxGraphicDimension;
}

[[noreturn]] void RaiseTooLarge(const QSize &size)
{
    throw EError(QCoreApplication::translate(
                     "TGraphic", "Изображение %1×%2 точек слишком велико: допустимо не более %3×%3 точек.")
                     .arg(size.width())
                     .arg(size.height())
                     .arg(kMaxGraphicDimension));
}

// Decodes an image of a kind, the size in its header checked first so that
// an image too large to keep is never allocated. Raises EError with the
// size message, or EDecodeError with notAPicture.
QImage DecodeImage(const TGraphicKind &kind, const QByteArray &data, const QString &notAPicture)
{
    QBuffer buffer;
    QImageReader reader;
    OpenReader(reader, buffer, kind, data);
    if (const QSize size = reader.size(); TooLarge(size))
        RaiseTooLarge(size);
    QImage image = reader.read();
    if (image.isNull())
        throw EDecodeError(notAPicture);
    if (TooLarge(image.size()))
        RaiseTooLarge(image.size());
    return image;
}

} // namespace

struct TGraphic::TDecodeState {
    bool Decoded = false;
    QImage Image;
    std::optional<QSize> Header;
    bool Reported = false;
};

TGraphic TGraphic::FromStored(QStringView className, const QByteArray &data)
{
    TGraphic graphic;
    graphic.FClassName = className.toString();
    graphic.FData = data;
    graphic.FState = std::make_shared<TDecodeState>();
    return graphic;
}

std::optional<TGraphic> TGraphic::Decode(QStringView className, const QByteArray &data)
{
    try {
        return FromData(className, data);
    } catch (const EError &) {
        return std::nullopt;
    }
}

TGraphic TGraphic::FromData(QStringView className, const QByteArray &data)
{
    const TGraphicKind *kind = FindKind(className);
    if (!kind)
        throw EError(
            QCoreApplication::translate("TGraphic", "Неизвестный тип изображения \"%1\".").arg(className));
    const QString notAPicture =
        QCoreApplication::translate("TGraphic", "Данные не являются изображением типа \"%1\".")
            .arg(className);
    if (data.isEmpty())
        throw EDecodeError(notAPicture);
    TGraphic graphic = FromStored(QStringView(kind->ClassName), data);
    // The user's new picture is decoded once to check it; the image is kept
    // for the first drawing.
    if (kind->Format)
        graphic.FState->Image = DecodeImage(*kind, data, notAPicture);
    else if (!IsEnhancedMetafile(data))
        throw EDecodeError(notAPicture);
    graphic.FState->Decoded = true;
    return graphic;
}

TGraphic TGraphic::FromFile(const QString &fileName)
{
    const QString className = ClassNameOfExtension(QFileInfo(fileName).suffix());
    if (className.isEmpty())
        throw EError(QCoreApplication::translate("TGraphic", "Неизвестный формат файла изображения \"%1\".")
                         .arg(fileName));
    const QByteArray data = ReadFileBounded(fileName, FileLimits::kPictureFile);
    if (data.size() > kMaxGraphicSize)
        throw EError(
            QCoreApplication::translate("TGraphic", "Размер изображения не может превышать 256 КБ."));
    try {
        return FromData(className, data);
    } catch (const EDecodeError &) {
        throw EError(
            QCoreApplication::translate("TGraphic", "Файл \"%1\" не является изображением.").arg(fileName));
    }
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
    // Only the names are translated; the masks stay as they are.
    return QCoreApplication::translate("TGraphic", "Все изображения") +
           QStringLiteral("|*.bmp;*.jpg;*.jpeg;*.ico;*.png;*.emf|") +
           QCoreApplication::translate("TGraphic", "Точечные рисунки") + QStringLiteral("|*.bmp|") +
           QCoreApplication::translate("TGraphic", "Изображения JPEG") + QStringLiteral("|*.jpg;*.jpeg|") +
           QCoreApplication::translate("TGraphic", "Значки") + QStringLiteral("|*.ico|") +
           QCoreApplication::translate("TGraphic", "Изображения PNG") + QStringLiteral("|*.png|") +
           QCoreApplication::translate("TGraphic", "Метафайлы") + QStringLiteral("|*.emf");
}

bool TGraphic::IsMetafile() const
{
    return FClassName == u"TMetafile";
}

QImage TGraphic::Image() const
{
    if (IsEmpty() || IsMetafile())
        return QImage();
    if (!FState->Decoded) {
        FState->Decoded = true;
        const TGraphicKind *kind = FindKind(FClassName);
        try {
            if (!kind)
                throw EError(QCoreApplication::translate("TGraphic", "неизвестный тип изображения"));
            FState->Image =
                DecodeImage(*kind, FData, QCoreApplication::translate("TGraphic", "данные не читаются"));
        } catch (const EError &error) {
            ReportNotDrawn(error.Message());
        }
    }
    return FState->Image;
}

QImage TGraphic::ImageToDraw() const
{
    QImage image = Image();
    if (!FTransparent || FClassName != u"TBitmap" || image.isNull())
        return image;
    image = image.convertToFormat(QImage::Format_ARGB32);
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
    if (IsEmpty() || !FState)
        return QSize();
    if (!FState->Header) {
        const TGraphicKind *kind = FindKind(FClassName);
        FState->Header = kind && kind->Format ? HeaderSize(*kind, FData) : QSize();
    }
    return *FState->Header;
}

void TGraphic::ReportNotDrawn(const QString &reason) const
{
    if (!FState || FState->Reported)
        return;
    FState->Reported = true;
    // The class name comes from the file: it is put in with the other values
    // at once, so that a "%" in it is taken as it is.
    qWarning("%s", qUtf8Printable(QCoreApplication::translate(
                                      "TGraphic", "Рисунок клавиши типа \"%1\" (%2 байт) не рисуется: %3")
                                      .arg(FClassName, QString::number(FData.size()), reason)));
}

QString TGraphic::DefaultExtension() const
{
    const TGraphicKind *kind = FindKind(FClassName);
    return kind ? QString::fromUtf16(kind->Extension) : QString();
}

void TGraphic::SaveToFile(const QString &fileName) const
{
    WriteFileAtomically(fileName, FData);
}

bool TGraphic::operator==(const TGraphic &other) const
{
    return FClassName == other.FClassName && FData == other.FData && FTransparent == other.FTransparent;
}
