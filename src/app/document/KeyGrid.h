#pragma once

#include "document/ArrowCtrl.h"
#include "document/GridLines.h"
#include "document/StringGrid2.h"
#include "settings/ViewMode.h"

#include <QPoint>
#include <QSet>

class TKey;
class TLayout;

/// The grid that shows a layout: one cell per key of the key matrix, in
/// one of three views (codes, pictures, short codes), with one layer or all
/// layers shown. Cells without a key on the first layer are grey and cannot
/// become current.
class TKeyGrid : public TStringGrid2 {
    Q_OBJECT

public:
    /// The background of key cells while one layer is shown.
    static constexpr QRgb kShownLayerColor = qRgb(181, 255, 156);
    /// The text of the shown layer: a red dark enough to read on that
    /// background (contrast above 4.5:1).
    static constexpr QRgb kShownLayerTextColor = qRgb(176, 0, 0);
    static constexpr QRgb kGroupSelectedColor = qRgb(192, 192, 192);
    /// The zoom steps in percent of the window's font, smallest first; each
    /// a tenth to a fifth larger than the one before.
    static constexpr int kZoomSteps[] = {50, 60, 70, 80, 90, 100, 110, 120, 135, 150, 170, 190, 215, 240, 270, 300};
    static constexpr int kNormalZoom = 100;

    explicit TKeyGrid(QWidget *parent = nullptr);

    /// Returns a colour as the layout stores it (00BBGGRRh).
    static uint32_t ColorValue(const QColor &color);

    /// The layout the grid shows (not owned); null shows nothing.
    void SetLayout(const TLayout *layout);
    const TLayout *Layout() const { return FLayout; }
    /// 0: all layers, 1 to 4: that layer is highlighted.
    int ShownLayer() const { return FShownLayer; }
    void SetShownLayer(int layer);
    /// 0 layout view, 1 picture view, 2 simplified view.
    TViewMode ViewMode() const { return FViewMode; }
    void SetViewMode(TViewMode mode);

    /// Returns the zoom in percent of the window's font.
    int Zoom() const { return FZoom; }
    /// Draws the text in the font the grid inherits scaled to percent (kept
    /// within the steps) and the key pictures at that scale.
    void SetZoom(int percent);
    /// Returns the zoom steps away from percent (positive: larger), held at
    /// the first and last step; from a zoom between two steps the first step
    /// either way is the neighbour on that side.
    static int StepZoom(int percent, int steps);

    /// Sets the grid to the layout's matrix plus the headers and numbers
    /// the header cells.
    void Rebuild();
    /// Frames the key cells (grid columns and rows, from 1) that a
    /// comparison found different; an empty set frames none.
    void SetMarkedCells(const QSet<QPoint> &cells);
    const QSet<QPoint> &MarkedCells() const { return FMarked; }

    /// Returns the text of a macro key as the view shows it.
    QString KeyText(const TKey &key) const;
    /// Returns what a key cell holds, as the cell's tooltip shows it: the
    /// key's place and number, and per layer its function, its whole press
    /// and release codes and its remark (rich text); empty for other cells.
    QString KeyDescription(int col, int row) const;

protected:
    bool event(QEvent *event) override;
    bool MaySelectCell(int col, int row) const override;
    void DrawCell(QPainter &painter, int col, int row, const QRect &rect) override;

private:
    /// Returns the first layer's key of a grid cell, or null.
    const TKey *FirstLayerKey(int col, int row) const;
    void DrawCorner(QPainter &painter, const QRect &rect) const;
    void DrawCodeCell(QPainter &painter, int col, int row, const QRect &rect, bool selected) const;
    void DrawPictureCell(QPainter &painter, int col, int row, const QRect &rect, bool selected) const;
    void DrawGroupBorder(QPainter &painter, int col, int row, const QRect &rect, bool selected) const;
    /// Draws one line of text with its top-left corner at topLeft, cut with
    /// an ellipsis where it is wider than width.
    void DrawLine(QPainter &painter, const QPoint &topLeft, const QString &text, int width) const;

    const TLayout *FLayout = nullptr;
    QSet<QPoint> FMarked;
    int FShownLayer = 0;
    TViewMode FViewMode = vmLayout;
    int FZoom = kNormalZoom;
    TArrowCtrl FArrows;
    mutable TGridLines FLines;
};
