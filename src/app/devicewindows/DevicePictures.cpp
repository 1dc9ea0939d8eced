#include "devicewindows/DevicePictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

QPixmap WarningPicture(int size)
{
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const QPolygonF triangle({QPointF(s / 2, 0.5), QPointF(s - 0.5, s - 1), QPointF(0.5, s - 1)});
    painter.setPen(QPen(QColor(128, 96, 0), 1));
    painter.setBrush(QColor(255, 204, 0));
    painter.drawPolygon(triangle);
    // The exclamation mark: a bar and a dot.
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRect(QRectF(s / 2 - s / 16, s * 0.3, s / 8, s * 0.38));
    painter.drawEllipse(QPointF(s / 2, s * 0.8), s / 14, s / 14);
    return picture;
}

QPixmap BrokenLayoutPicture()
{
    constexpr int kSize = 32;
    QPixmap picture(kSize, kSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    // The keyboard: a grey body with three rows of keys.
    painter.setPen(QPen(QColor(64, 64, 64), 1));
    painter.setBrush(QColor(200, 200, 200));
    painter.drawRoundedRect(QRectF(1.5, 8.5, 29, 17), 2, 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 250, 250));
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 6; ++column)
            painter.drawRect(QRectF(4 + column * 4.3, 11 + row * 4.5, 3, 3));

    // The crack: a red zigzag from top to bottom.
    QPainterPath crack;
    crack.moveTo(17, 2);
    crack.lineTo(13, 10);
    crack.lineTo(19, 15);
    crack.lineTo(12, 21);
    crack.lineTo(17, 30);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(crack);
    painter.setPen(QPen(QColor(204, 0, 0), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(crack);
    return picture;
}
