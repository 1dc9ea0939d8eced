#include "main/GlyphIcons.h"

#include <QPainter>
#include <QPixmap>

namespace {

QPixmap DrawTile(const QString &glyph, const QColor &colour, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF tile(1, 1, size - 2, size - 2);
    painter.setPen(QPen(colour.darker(140), 1));
    painter.setBrush(colour);
    painter.drawRoundedRect(tile, size / 6.0, size / 6.0);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(glyph.size() > 1 ? size * 5 / 12 : size * 7 / 12);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(tile, Qt::AlignCenter, glyph);
    return pixmap;
}

} // namespace

QIcon GlyphIcon(const QString &glyph, const QColor &colour)
{
    QIcon icon;
    for (const int size : {16, 24, 32})
        icon.addPixmap(DrawTile(glyph, colour, size));
    return icon;
}
