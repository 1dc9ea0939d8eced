#include "model/Layout.h"

#include "model/Font.h"
#include "model/Key.h"
#include "model/KeyGroup.h"
#include "model/KeyPictureDraw.h"
#include "model/Layer.h"

#include <QPainter>
#include <QPen>
#include <algorithm>

namespace {

// The button-face system colour, which fills the second band's empty cells.
constexpr uint32_t kButtonFaceColor = 0x8000000F;

// Saves the painter's state and restores it when the drawing ends, also when
// a missing key stops it.
class TPainterState {
public:
    explicit TPainterState(QPainter &canvas) : FCanvas(canvas) { FCanvas.save(); }
    ~TPainterState() { FCanvas.restore(); }
    TPainterState(const TPainterState &) = delete;
    TPainterState &operator=(const TPainterState &) = delete;

private:
    QPainter &FCanvas;
};

// What every band and box of one drawing shares.
struct TGrid {
    const TLayout &Layout;
    const TLayer &Layer;
    int X0;
    int CellWidth;
    int CellHeight;
};

// Draws the columns firstColumn .. firstColumn + columns - 1 of the layer
// as one band of cells from X0 with its top at top, then its grid
// lines; cells without a key get missingFill, grouped cells stay blank (their
// group is drawn as a box). Returns the band's bottom.
int DrawBand(QPainter &canvas, const TGrid &grid, int firstColumn, int columns, int top,
             const QColor &missingFill)
{
    const int rows = grid.Layout.Rows();
    for (int c = 0; c < columns; ++c) {
        const int col = firstColumn + c;
        for (int r = 0; r < rows; ++r) {
            const QRect cell(grid.X0 + c * grid.CellWidth, top + r * grid.CellHeight, grid.CellWidth,
                             grid.CellHeight);
            const TKey *key = grid.Layer.KeyAt(col, r);
            if (!key)
                canvas.fillRect(cell, missingFill);
            else if (!grid.Layout.GroupAt(col, r))
                DrawKeyPicture(canvas, key->Picture(), cell);
        }
    }
    const int right = grid.X0 + columns * grid.CellWidth;
    const int bottom = top + rows * grid.CellHeight;
    canvas.drawLine(grid.X0, top, right, top);
    canvas.drawLine(grid.X0, top, grid.X0, bottom);
    for (int k = 1; k <= columns; ++k) {
        const int x = grid.X0 + k * grid.CellWidth;
        canvas.drawLine(x, top, x, bottom);
    }
    for (int k = 1; k <= rows; ++k) {
        const int y = top + k * grid.CellHeight;
        canvas.drawLine(grid.X0, y, right, y);
    }
    return bottom;
}

// Draws every key group as a box of its own, in list order, from X0 at top,
// rows of boxes wrapping where a box would end beyond right.
void DrawGroups(QPainter &canvas, const TGrid &grid, int top, int right, int gapX, int gapY)
{
    const TKeyGroups &groups = grid.Layout.Groups();
    int x = grid.X0;
    int y = top;
    int lowest = top;
    for (int i = 0; i < groups.Count(); ++i) {
        const TRect &rect = groups.Item(i).Rect();
        const int columns = rect.Right - rect.Left + 1;
        const int rows = rect.Bottom - rect.Top + 1;
        const int width = columns * grid.CellWidth + (columns - 1) * gapX;
        const int height = rows * grid.CellHeight + (rows - 1) * gapY;
        // A box that is too wide for an empty row stays on it: wrapping
        // would only leave that row empty.
        if (x > grid.X0 && x + width > right) {
            x = grid.X0;
            y = lowest + gapY;
        }
        const TKey &key = grid.Layer.KeyAtOrFail(rect.Left, rect.Top);
        const QRect box(x, y, width, height);
        DrawKeyPicture(canvas, key.Picture(), box);
        // The outline covers the same units as the box, its last column and
        // row included.
        canvas.drawRect(box.adjusted(0, 0, -1, -1));
        lowest = std::max(lowest, y + height);
        x += width + gapX;
    }
}

} // namespace

void TLayout::Draw(QPainter &canvas, int cellWidth, const QRect &bounds, int gapY, int gapX, int cellHeight,
                   int layerIndex) const
{
    if (layerIndex < 0 || layerIndex >= LayerCount())
        return;
    const int left = bounds.x();
    const int right = bounds.x() + bounds.width();
    // The whole columns that fit the bounds' width go into the first band.
    const int fitting = cellWidth > 0 ? std::max(0, (right - left) / cellWidth) : FColumns;
    const int firstBand = std::min(FColumns, fitting);
    const TGrid grid{*this, Layers().Item(layerIndex), left + 2, cellWidth, cellHeight};

    const TPainterState state(canvas);
    canvas.setPen(QPen(Qt::black, 1));
    canvas.setBrush(Qt::NoBrush);
    int bottom = DrawBand(canvas, grid, 0, firstBand, bounds.y() + 2, Qt::white);
    if (FColumns > firstBand)
        bottom = DrawBand(canvas, grid, firstBand, FColumns - firstBand, bottom + gapY / 2,
                          ColorToQColor(kButtonFaceColor));
    DrawGroups(canvas, grid, bottom + gapY, right, gapX, gapY);
}
