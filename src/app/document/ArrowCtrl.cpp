#include "document/ArrowCtrl.h"

#include "model/Key.h"

#include <QPainter>
#include <QSvgRenderer>

// Outside any namespace: the macro declares the resource's global function.
static void InitArrowResources()
{
    // The resources live in a static library: they need registering.
    Q_INIT_RESOURCE(arrows);
}

TArrowCtrl::TArrowCtrl()
{
    InitArrowResources();
}

const QPixmap &TArrowCtrl::Arrow(const QString &name, int height) const
{
    const QString key = name + u'@' + QString::number(height);
    auto found = FArrows.find(key);
    if (found == FArrows.end()) {
        QSvgRenderer renderer(QStringLiteral(":/arrows/") + name);
        const QSize natural = renderer.defaultSize();
        QPixmap pixmap(qMax(1, natural.width() * height / qMax(1, natural.height())), height);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        found = FArrows.insert(key, pixmap);
    }
    return *found;
}

QString TArrowCtrl::BitmapName(int keyType, bool selected)
{
    QString name;
    if (keyType == ktLayerUp)
        name = QStringLiteral("BLUP");
    else if (keyType == ktLayerDown)
        name = QStringLiteral("BLDN");
    else if (keyType >= ktLayer1 && keyType <= ktLayer4)
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

void TArrowCtrl::Draw(QPainter &painter, int keyType, const QRect &line, bool selected, const QColor &digitColor) const
{
    const QPixmap &arrow = Arrow(BitmapName(keyType, selected), line.height());
    painter.drawPixmap(line.topLeft(), arrow);
    const QString digit = Digit(keyType);
    if (digit.isEmpty())
        return;
    painter.setPen(digitColor);
    painter.drawText(line.adjusted(arrow.width() + 2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     digit);
}
