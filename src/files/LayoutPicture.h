#pragma once

#include <QByteArray>
#include <QRect>
#include <QString>

class QImage;
class QPainter;
class TLayout;

/// The sizes a layout picture is drawn with on a canvas: key cells of half an
/// inch, gaps of 0.3 inch at the canvas's resolution, and the canvas area the
/// picture must fit.
struct TLayoutPictureGeometry {
    int CellWidth = 0;
    int CellHeight = 0;
    int GapX = 0;
    int GapY = 0;
    QRect Bounds;

    /// Returns the geometry for a canvas of dpiX x dpiY dots per inch whose
    /// drawing area is bounds.
    static TLayoutPictureGeometry ForCanvas(int dpiX, int dpiY, const QRect &bounds);
};

/// The resolution and drawing area of the reference surface picture files
/// are drawn for: a 96 dpi screen of 1920 x 1080 pixels.
inline constexpr int kPictureDpi = 96;
inline const QRect kPictureBounds{0, 0, 1920, 1080};

/// Draws the picture of the layout (the key caps of the layer with index
/// layerIndex, the first by default) with the geometry.
void DrawLayoutPicture(QPainter &canvas, const TLayout &layout, const TLayoutPictureGeometry &geometry,
                       int layerIndex = 0);

/// Returns image encoded in format ("PNG" ...) for the file path. Raises
/// EError naming path when the image is null or cannot be encoded.
QByteArray ImageBytes(const QImage &image, const char *format, const QString &path);

/// Writes the picture of a layer of the layout as PNG, SVG or PDF, chosen by the extension
/// of path (any letter case), with the geometry of the metafile picture on
/// its reference surface, cropped to what is drawn plus a small margin. The
/// file is replaced atomically (see WriteFileAtomically) once the whole
/// picture is encoded. Raises EError for another extension, for a picture
/// that cannot be encoded, for a file that cannot be written and for the
/// drawing's own errors.
void SaveLayoutPicture(const TLayout &layout, const QString &path, int layerIndex = 0);
