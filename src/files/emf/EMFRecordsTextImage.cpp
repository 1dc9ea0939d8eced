// Text and bitmap records of the metafile builder.
#include "files/emf/EMFRecords.h"

#include <cmath>
#include <cstring>

namespace {

constexpr uint32_t kGraphicsModeCompatible = 1;
constexpr uint32_t kSrcCopy = 0x00CC0020;
constexpr uint32_t kDibRgbColors = 0;
constexpr uint32_t kBitmapInfoSize = 40;
// Blend function bytes: source over, no flags, constant alpha 255, the
// source carries premultiplied per-pixel alpha.
constexpr uint32_t kBlendSourceAlpha = 0x01FF0000;

uint32_t FloatBits(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    return bits;
}

} // namespace

void TEMFRecords::ExtTextOutW(QPoint reference, const QString &text, const QList<int> &advances,
                              const QRect &bounds)
{
    Q_ASSERT(advances.size() == text.size());
    // Fixed fields 36 bytes, text description 40 bytes, then the UTF-16 units
    // padded to a 32-bit boundary, then one 32-bit advance per unit.
    constexpr uint32_t kStringOffset = 76;
    const auto count = uint32_t(text.size());
    const uint32_t advancesOffset = kStringOffset + (count * 2 + 3) / 4 * 4;
    Begin(emrExtTextOutW);
    PutRect(bounds);
    Put32(kGraphicsModeCompatible);
    // Page units are pixels: the scale to 0.01 mm is the pixel's size.
    const uint32_t scale = FloatBits(2540.0f / float(FDpi));
    Put32(scale);
    Put32(scale);
    Put32(uint32_t(reference.x()));
    Put32(uint32_t(reference.y()));
    Put32(count);
    Put32(kStringOffset);
    Put32(0); // options: no clipping, no opaque box
    PutInclusiveRect(0, 0, -1, -1);
    Put32(advancesOffset);
    for (const QChar c : text)
        Put16(c.unicode());
    while (FData.size() - FRecordStart < advancesOffset)
        FData.append('\0');
    for (const int advance : advances)
        Put32(uint32_t(advance));
    End();
}

void TEMFRecords::StretchDIBits(const QRect &dest, const QImage &image)
{
    // Fixed fields 80 bytes, then the bitmap header and the pixel rows.
    constexpr uint32_t kInfoOffset = 80;
    const auto bitsSize = uint32_t((image.width() * 3 + 3) / 4 * 4 * image.height());
    Begin(emrStretchDIBits);
    PutRect(dest.normalized());
    Put32(uint32_t(dest.x()));
    Put32(uint32_t(dest.y()));
    Put32(0); // source x
    Put32(0); // source y
    Put32(uint32_t(image.width()));
    Put32(uint32_t(image.height()));
    Put32(kInfoOffset);
    Put32(kBitmapInfoSize);
    Put32(kInfoOffset + kBitmapInfoSize);
    Put32(bitsSize);
    Put32(kDibRgbColors);
    Put32(kSrcCopy);
    Put32(uint32_t(dest.width()));
    Put32(uint32_t(dest.height()));
    PutBitmap(image, false);
    End();
}

void TEMFRecords::AlphaBlend(const QRect &dest, const QImage &image)
{
    // Fixed fields 108 bytes, then the bitmap header and the pixel rows.
    constexpr uint32_t kInfoOffset = 108;
    const auto bitsSize = uint32_t(image.width() * 4 * image.height());
    Begin(emrAlphaBlend);
    PutRect(dest);
    Put32(uint32_t(dest.x()));
    Put32(uint32_t(dest.y()));
    Put32(uint32_t(dest.width()));
    Put32(uint32_t(dest.height()));
    Put32(kBlendSourceAlpha);
    Put32(0);                                                      // source x
    Put32(0);                                                      // source y
    for (const float value : {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f}) // identity source transform
        Put32(FloatBits(value));
    Put32(0); // background colour of the source: unused
    Put32(kDibRgbColors);
    Put32(kInfoOffset);
    Put32(kBitmapInfoSize);
    Put32(kInfoOffset + kBitmapInfoSize);
    Put32(bitsSize);
    Put32(uint32_t(image.width()));
    Put32(uint32_t(image.height()));
    PutBitmap(image, true);
    End();
}

void TEMFRecords::PutBitmap(const QImage &image, bool withAlpha)
{
    const QImage source =
        image.convertToFormat(withAlpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    const int width = source.width();
    const int height = source.height();
    const int bytesPerPixel = withAlpha ? 4 : 3;
    const int stride = (width * bytesPerPixel + 3) / 4 * 4;
    Put32(kBitmapInfoSize);
    Put32(uint32_t(width));
    Put32(uint32_t(height)); // positive: rows bottom-up
    Put16(1);                // planes
    Put16(uint16_t(bytesPerPixel * 8));
    Put32(0); // uncompressed
    Put32(uint32_t(stride * height));
    const auto pixelsPerMetre = uint32_t(std::lround(FDpi / 0.0254));
    Put32(pixelsPerMetre);
    Put32(pixelsPerMetre);
    Put32(0); // colours used
    Put32(0); // colours important
    QByteArray row(stride, '\0');
    for (int y = height - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        char *out = row.data();
        for (int x = 0; x < width; ++x) {
            *out++ = char(qBlue(line[x]));
            *out++ = char(qGreen(line[x]));
            *out++ = char(qRed(line[x]));
            if (withAlpha)
                *out++ = char(qAlpha(line[x]));
        }
        FData.append(row);
    }
}
