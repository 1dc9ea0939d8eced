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
    /// Loads the eight arrow pictures from the resources "RDUP", "BLUP",
    /// "GRUP", "BLDN" and their selected variants ending in "S".
    TArrowCtrl();

    /// Returns the resource name of the picture for a key type.
    static QString BitmapName(int keyType, bool selected);
    /// Returns the layer digit a key type shows ("1" to "4"), or empty.
    static QString Digit(int keyType);

    /// Draws the key type into a cell: the arrow 2 pixels inside the
    /// top-left corner (only when it fits), the digit near the top-right
    /// corner in digitColor.
    void Draw(QPainter &painter, int keyType, const QRect &cell, bool selected, const QColor &digitColor) const;

private:
    QHash<QString, QPixmap> FBitmaps;
};
