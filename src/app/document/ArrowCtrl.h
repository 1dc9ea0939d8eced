#pragma once

#include <QColor>
#include <QHash>
#include <QPixmap>
#include <QString>

class QPainter;
class QRect;

/// Draws the keys that switch layers: an arrow picture by the key type (blue
/// up and down for one layer up and down, green for "go to layer", red for
/// the others) and, for the "go to layer" types, the layer's digit.
class TArrowCtrl {
public:
    TArrowCtrl();

    /// Returns the resource name of the picture for a key type: "RDUP",
    /// "BLUP", "GRUP", "BLDN", or their selected variants ending in "S".
    static QString BitmapName(int keyType, bool selected);
    /// Returns the layer digit a key type shows ("1" to "4"), or empty.
    static QString Digit(int keyType);

    /// Draws the key type into the line of its layer: the arrow as high as
    /// the line at its left end, the digit after it in digitColor. Each
    /// layer keeps to its own line, so no arrow covers another layer's text.
    void Draw(QPainter &painter, int keyType, const QRect &line, bool selected, const QColor &digitColor) const;

private:
    /// Returns the arrow picture drawn at a height in pixels.
    const QPixmap &Arrow(const QString &name, int height) const;

    mutable QHash<QString, QPixmap> FArrows;
};
