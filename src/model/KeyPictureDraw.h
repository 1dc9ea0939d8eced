#pragma once

#include <QRect>
#include <QRectF>
#include <QSize>

class QPainter;
class TGraphic;
class TKeyPicture;

/// Draws the picture's background, graphic and text into rect (canvas
/// units). A background colour of 0 is not filled; the graphic goes into
/// rect shrunk by 10 units on every side (see FitGraphic); horizontal text is
/// word-wrapped and centred, vertical text stands one character per line,
/// the first on top. Text is sized in points, so the canvas's resolution
/// decides its size in canvas units. The painter's state is kept.
void DrawKeyPicture(QPainter &canvas, const TKeyPicture &picture, const QRect &rect);

/// Draws a graphic stretched into target: bitmaps, JPEG, icons and PNG as
/// images (a transparent bitmap without its transparent colour), metafiles
/// as vector drawings. Converted metafiles are kept in a small cache, so that
/// repainting the same pictures does not convert them again (use from the GUI
/// thread only). An empty graphic draws nothing; one that cannot be played or
/// decoded, or is too large to decode, draws nothing and is reported once
/// (TGraphic::ReportNotDrawn), also when target is empty.
void DrawGraphic(QPainter &canvas, const TGraphic &graphic, const QRectF &target);

/// Returns where a graphic of natural size goes in target: a graphic wider
/// or taller than target is scaled with its aspect ratio kept, to target's
/// width when its width exceeds target's by more than its height does, else
/// to target's height; a smaller one keeps its size. Either way it is
/// centred in target. Returns an empty rectangle for an empty size.
QRect FitGraphic(const QSize &size, const QRect &target);
