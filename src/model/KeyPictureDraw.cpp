#include "model/KeyPictureDraw.h"

#include "model/Font.h"
#include "model/Graphic.h"
#include "model/KeyPicture.h"
#include "model/MetafileSvg.h"

#include <QCoreApplication>
#include <QHashFunctions>
#include <QPainter>
#include <QStringList>
#include <QSvgRenderer>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <list>
#include <memory>

namespace {

// The space between a key's border and its graphic, in canvas units.
constexpr int kGraphicMargin = 10;

// How many converted metafiles are kept: more than the distinct metafile
// graphics a layout usually shows, few enough to bound the memory.
constexpr size_t kCachedRenderers = 32;

// The largest point size a text is drawn with: the pixel sizes TFont hands
// to Qt stop at 0x7FFF as well.
constexpr double kMaxPointSize = 0x7FFF;

struct TCachedRenderer {
    size_t Hash;
    QByteArray Metafile;
    // Null when the bytes cannot be played, so they are not tried again.
    std::unique_ptr<QSvgRenderer> Renderer;
};

// The cache, most recently used first.
std::list<TCachedRenderer> &RendererCache()
{
    static std::list<TCachedRenderer> cache;
    return cache;
}

// Returns the renderer that plays the metafile, converting it only when the
// cache does not hold it yet; null when it cannot be played.
QSvgRenderer *CachedRenderer(const QByteArray &metafile)
{
    std::list<TCachedRenderer> &cache = RendererCache();
    const size_t hash = qHash(metafile);
    for (auto it = cache.begin(); it != cache.end(); ++it) {
        if (it->Hash == hash && it->Metafile == metafile) {
            cache.splice(cache.begin(), cache, it);
            return cache.front().Renderer.get();
        }
    }
    std::unique_ptr<QSvgRenderer> renderer;
    if (const std::optional<QByteArray> svg = MetafileToSvg(metafile)) {
        renderer = std::make_unique<QSvgRenderer>(*svg);
        if (!renderer->isValid())
            renderer.reset();
    }
    cache.push_front({hash, metafile, std::move(renderer)});
    if (cache.size() > kCachedRenderers)
        cache.pop_back();
    return cache.front().Renderer.get();
}

// Returns the Qt font of a key picture's text, sized in points so that the
// painter's device resolution turns it into canvas units.
QFont TextFont(const TFont &font)
{
    QFont result = font.ToQFont();
    if (font.Height() != 0 && font.PixelsPerInch() > 0) {
        const double points = std::llabs(int64_t(font.Height())) * 72.0 / font.PixelsPerInch();
        result.setPointSizeF(std::clamp(points, 1.0, kMaxPointSize));
    }
    return result;
}

// Returns the characters of a text, keeping surrogate pairs together.
QStringList Characters(const QString &text)
{
    QStringList characters;
    for (qsizetype i = 0; i < text.size();) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const qsizetype length = pair ? 2 : 1;
        characters.append(text.mid(i, length));
        i += length;
    }
    return characters;
}

// Word-wrapped within the rectangle's width, centred both ways.
void DrawHorizontalText(QPainter &canvas, const QString &text, const QRect &rect)
{
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    const int height = canvas.boundingRect(QRect(rect.x(), rect.y(), rect.width(), 0), flags, text).height();
    const QRect textRect(rect.x(), rect.y() + (rect.height() - height) / 2, rect.width(), height);
    canvas.drawText(textRect, flags, text);
}

// One character per line in a column one character wide: a space after each
// character lets the word wrap put every character on a line of its own.
void DrawVerticalText(QPainter &canvas, const QString &text, const QRect &rect)
{
    const QStringList characters = Characters(text);
    const QRect one = canvas.boundingRect(QRect(), Qt::AlignLeft | Qt::AlignTop, characters.first());
    const int64_t textHeight = int64_t(one.height()) * characters.size();
    const int64_t rectBottom = int64_t(rect.y()) + rect.height();
    const int64_t top = std::max<int64_t>(rect.y() + (rect.height() - textHeight) / 2, rect.y());
    const int64_t bottom = std::min(top + textHeight, rectBottom);
    const QRect textRect(rect.x() + (rect.width() - one.width()) / 2, int(top), one.width(),
                         int(bottom - top));
    canvas.drawText(textRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                    characters.join(u' ') + u' ');
}

} // namespace

QRect FitGraphic(const QSize &size, const QRect &target)
{
    const int64_t width = size.width();
    const int64_t height = size.height();
    if (width <= 0 || height <= 0)
        return QRect();
    const int64_t targetWidth = target.width();
    const int64_t targetHeight = target.height();
    int64_t fitWidth = width;
    int64_t fitHeight = height;
    if (width > targetWidth || height > targetHeight) {
        if (width - targetWidth > height - targetHeight) {
            fitWidth = targetWidth;
            fitHeight = height * targetWidth / width;
        } else {
            fitHeight = targetHeight;
            fitWidth = width * targetHeight / height;
        }
    }
    if (fitWidth <= 0 || fitHeight <= 0)
        return QRect();
    return QRect(target.x() + int((targetWidth - fitWidth) / 2),
                 target.y() + int((targetHeight - fitHeight) / 2), int(fitWidth), int(fitHeight));
}

void DrawGraphic(QPainter &canvas, const TGraphic &graphic, const QRectF &target)
{
    if (graphic.IsEmpty())
        return;
    // A graphic that cannot be drawn is reported even where it has no room,
    // so that every picture left empty is told once.
    if (graphic.IsMetafile()) {
        QSvgRenderer *renderer = CachedRenderer(graphic.Data());
        if (!renderer)
            graphic.ReportNotDrawn(
                QCoreApplication::translate("KeyPictureDraw", "метафайл не воспроизводится"));
        else if (!target.isEmpty())
            renderer->render(&canvas, target);
        return;
    }
    const QImage image = graphic.ImageToDraw();
    if (!image.isNull() && !target.isEmpty())
        canvas.drawImage(target, image);
}

void DrawKeyPicture(QPainter &canvas, const TKeyPicture &picture, const QRect &rect)
{
    canvas.save();
    canvas.setBackgroundMode(Qt::TransparentMode);
    // A background of 0 (black) is never filled: it stands for "none".
    if (picture.BackgroundColor() != 0)
        canvas.fillRect(rect, ColorToQColor(picture.BackgroundColor()));
    if (picture.HasGraphic()) {
        const QRect target = rect.adjusted(kGraphicMargin, kGraphicMargin, -kGraphicMargin, -kGraphicMargin);
        DrawGraphic(canvas, picture.Picture(), FitGraphic(picture.Picture().Size(), target));
    }
    if (!picture.Text().isEmpty()) {
        canvas.setFont(TextFont(picture.Font()));
        canvas.setPen(ColorToQColor(picture.Font().Color()));
        if (picture.TextOrientation() == 0)
            DrawHorizontalText(canvas, picture.Text(), rect);
        else
            DrawVerticalText(canvas, picture.Text(), rect);
    }
    canvas.restore();
}
