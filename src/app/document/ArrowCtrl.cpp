#include "document/ArrowCtrl.h"

#include <QPainter>
#include <QSvgRenderer>

namespace {

// The arrow pictures are drawn once at their natural size.
QPixmap RenderArrow(const QString &name)
{
    QSvgRenderer renderer(QStringLiteral(":/arrows/") + name);
    QPixmap pixmap(renderer.defaultSize());
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

} // namespace

// Outside any namespace: the macro declares the resource's global function.
static void InitArrowResources()
{
    // The resources live in a static library: they need registering.
    Q_INIT_RESOURCE(arrows);
}

TArrowCtrl::TArrowCtrl()
{
    InitArrowResources();
    for (const char *base : {"RDUP", "BLUP", "GRUP", "BLDN"}) {
        const QString name = QString::fromLatin1(base);
        FBitmaps.insert(name, RenderArrow(name));
        FBitmaps.insert(name + u'S', RenderArrow(name + u'S'));
    }
}

QString TArrowCtrl::BitmapName(int keyType, bool selected)
{
    QString name;
    if (keyType == 2)
        name = QStringLiteral("BLUP");
    else if (keyType == 3)
        name = QStringLiteral("BLDN");
    else if (keyType >= 4 && keyType <= 7)
        name = QStringLiteral("GRUP");
    else
        name = QStringLiteral("RDUP");
    return selected ? name + u'S' : name;
}

QString TArrowCtrl::Digit(int keyType)
{
    if (keyType < 4 || keyType > 11)
        return QString();
    return QString::number((keyType - 4) % 4 + 1);
}

void TArrowCtrl::Draw(QPainter &painter, int keyType, const QRect &cell, bool selected, const QColor &digitColor) const
{
    const QPixmap &bitmap = FBitmaps[BitmapName(keyType, selected)];
    if (bitmap.width() <= cell.width() - 2 && bitmap.height() <= cell.height() - 2)
        painter.drawPixmap(cell.left() + 2, cell.top() + 2, bitmap);
    const QString digit = Digit(keyType);
    if (digit.isEmpty())
        return;
    painter.setPen(digitColor);
    const QRect textRect(cell.right() + 1 - 10, cell.top() + 10, 10, cell.height());
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, digit);
}
