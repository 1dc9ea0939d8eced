// Text and images of the metafile paint engine.
#include "files/emf/EMFPaintEngine.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPixmap>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int kFullCircle = 3600;

bool HasTranslucentPixels(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return false;
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            if (qAlpha(line[x]) != 255)
                return true;
        }
    }
    return false;
}

} // namespace

TEMFFont TEMFPaintEngine::DeviceFont(const QTextItem &textItem) const
{
    const QFont font = textItem.font();
    const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * FDpi / 72.0;
    // The transform's y axis gives the height, its x axis the baseline's
    // direction (clockwise on screen, the metafile's angle runs the other way).
    const double scale = std::hypot(FTransform.m21(), FTransform.m22());
    const double degrees = std::atan2(FTransform.m12(), FTransform.m11()) * 180.0 / std::numbers::pi;
    TEMFFont result;
    result.FaceName = font.family().isEmpty() ? QFontInfo(font).family() : font.family();
    result.Height = int(std::lround(pixels * scale));
    result.Escapement = (int(std::lround(-degrees * 10)) % kFullCircle + kFullCircle) % kFullCircle;
    result.Weight = font.weight();
    result.Italic = font.italic();
    // Underline and strike-out stay off: QPainter draws those lines itself.
    return result;
}

QList<int> TEMFPaintEngine::Advances(const QTextItem &textItem) const
{
    // Character advances of the font, stretched so that together they are
    // the width Qt laid the text out in (kerning included), in device pixels.
    const QString text = textItem.text();
    const QFontMetricsF metrics(textItem.font(), paintDevice());
    QList<qreal> widths(text.size(), 0);
    qreal total = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        // A surrogate pair advances once, on its first unit.
        widths[i] = metrics.horizontalAdvance(text.mid(i, pair ? 2 : 1));
        total += widths[i];
        if (pair)
            ++i;
    }
    const double scale =
        std::hypot(FTransform.m11(), FTransform.m12()) * (total > 0 ? textItem.width() / total : 1.0);
    QList<int> advances;
    advances.reserve(text.size());
    qreal position = 0;
    long placed = 0;
    for (const qreal width : widths) {
        position += width * scale;
        const long next = std::lround(position);
        advances.append(int(next - placed));
        placed = next;
    }
    return advances;
}

void TEMFPaintEngine::drawTextItem(const QPointF &p, const QTextItem &textItem)
{
    const QString text = textItem.text();
    if (text.isEmpty() || FPen.style() == Qt::NoPen || FPen.color().alpha() == 0)
        return;
    ApplyClip();
    const QRect bounds = FTransform
                             .mapRect(QRectF(p.x(), p.y() - textItem.ascent(), textItem.width(),
                                             textItem.ascent() + textItem.descent()))
                             .toAlignedRect();
    Include(bounds);
    FContext->SelectFont(DeviceFont(textItem));
    FContext->SetTextColor(FPen.color().rgb());
    FRecords->ExtTextOutW(Device(FTransform.map(p)), text, Advances(textItem), bounds);
}

void TEMFPaintEngine::drawPixmap(const QRectF &r, const QPixmap &pm, const QRectF &sr)
{
    drawImage(r, pm.toImage(), sr);
}

void TEMFPaintEngine::drawImage(const QRectF &r, const QImage &pm, const QRectF &sr, Qt::ImageConversionFlags)
{
    const QRect source = sr.toAlignedRect() & pm.rect();
    if (source.isEmpty() || r.isEmpty())
        return;
    QImage image = source == pm.rect() ? pm : pm.copy(source);
    if (FTransform.type() <= QTransform::TxScale) {
        const QPoint a = Device(FTransform.map(r.topLeft()));
        const QPoint b = Device(FTransform.map(r.bottomRight()));
        const QRect dest(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::abs(b.x() - a.x()),
                         std::abs(b.y() - a.y()));
        if (dest.isEmpty())
            return;
        // A mirroring transform mirrors the bitmap; the records then get a
        // plain target rectangle.
        if (b.x() < a.x() || b.y() < a.y())
            image = image.mirrored(b.x() < a.x(), b.y() < a.y());
        ApplyClip();
        Include(dest);
        if (HasTranslucentPixels(image))
            FRecords->AlphaBlend(dest, image);
        else
            FRecords->StretchDIBits(dest, image);
        return;
    }
    // Turned or sheared: the bitmap is turned here, and its corners outside
    // the image stay transparent.
    const QTransform toDevice =
        QTransform::fromScale(r.width() / image.width(), r.height() / image.height()) *
        QTransform::fromTranslate(r.x(), r.y()) * FTransform;
    const QImage turned = image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                              .transformed(toDevice, Qt::SmoothTransformation);
    const QRect dest(Device(toDevice.mapRect(QRectF(image.rect())).topLeft()), turned.size());
    if (dest.isEmpty())
        return;
    ApplyClip();
    Include(dest);
    FRecords->AlphaBlend(dest, turned);
}
