#pragma once

#include "model/Rect.h"

#include <QStringList>
#include <QWidget>
#include <vector>

class QScrollBar;

/// A grid of cells drawn by the derived class: one fixed header row and one
/// fixed header column, a current cell and a rectangular range selection.
/// The current cell moves only to cells MaySelectCell allows, by mouse
/// (click, shift-click, drag) and by the keys (with shift: the range grows):
/// the arrows step to the next such cell, passing over the others; Home and
/// End go to the row's first and last, PgUp and PgDn to the column's. Cells
/// are not edited in place; Enter, double-click, Delete and the right button
/// are reported as signals.
///
/// Cells that take more room than the widget has scroll under the headers,
/// which stay in place: scroll bars appear, the wheel scrolls, and the
/// current cell is scrolled into view whenever it moves. The wheel with Ctrl
/// held is reported for zooming instead.
class TStringGrid2 : public QWidget {
    Q_OBJECT

public:
    explicit TStringGrid2(QWidget *parent = nullptr);

    int ColCount() const { return int(FColWidths.size()); }
    int RowCount() const { return int(FRowHeights.size()); }
    /// Sets the number of columns and rows, headers included; new cells get
    /// the default size, the current cell and selection stay inside.
    void SetSize(int cols, int rows);
    int ColWidth(int col) const { return FColWidths[size_t(col)]; }
    void SetColWidth(int col, int width);
    int RowHeight(int row) const { return FRowHeights[size_t(row)]; }
    void SetRowHeight(int row, int height);
    /// Sets the sizes of all columns and all rows at once; each list has
    /// one size per column or row.
    void SetCellSizes(const std::vector<int> &colWidths, const std::vector<int> &rowHeights);
    /// Returns the size of all cells with the lines between and after them.
    QSize ContentSize() const;
    /// Returns the room left for the cells when they take content pixels:
    /// the widget less the scroll bars that content needs.
    QSize ViewSizeFor(const QSize &content) const;
    /// Scrolls the key cells so that a cell shows whole, or its top-left
    /// part when it is larger than the room.
    void ScrollToCell(int col, int row);
    /// Width of the lines between cells, in pixels.
    int GridLineWidth() const { return FGridLineWidth; }

    /// The text a header or other cell shows by default.
    QString Cell(int col, int row) const;
    void SetCell(int col, int row, const QString &text);

    int Col() const { return FCol; }
    int Row() const { return FRow; }
    /// Returns the selected rectangle (grid coordinates, corners inclusive).
    TRect Selection() const;
    /// Sets the selection without asking MaySelectCell and without
    /// selectionChanged: the current cell becomes its top-left corner.
    void SetSelection(const TRect &selection);
    /// Returns whether the cell is drawn as selected: inside the selection,
    /// or the current cell while the grid has the focus.
    bool IsCellSelected(int col, int row) const;

    /// Returns the rectangle of a cell in widget pixels, where it is drawn
    /// at the present scroll position (key cells scrolled away lie under the
    /// headers or beyond the widget).
    QRect CellRect(int col, int row) const;
    /// Returns the cell at a widget point; false outside every cell.
    bool CellAt(const QPoint &point, int &col, int &row) const;

signals:
    /// The current cell or the range changed by the user.
    void selectionChanged();
    /// Enter or a double-click on a cell.
    void cellActivated();
    void deletePressed();
    /// The mouse moved onto another cell (col and row -1: off the cells).
    void cellHovered(int col, int row);
    /// The context menu is wanted at a point of the screen: the right button
    /// or the Menu key.
    void contextMenuWanted(const QPoint &globalPos);
    /// The wheel turned with Ctrl held, by whole notches: positive away from
    /// the user (to zoom in), negative towards.
    void zoomWheeled(int steps);
    /// The widget's size changed: the cells may be sized for it anew.
    void viewResized();

protected:
    /// Returns whether the cell may become current; the base allows every
    /// cell that is no header.
    virtual bool MaySelectCell(int col, int row) const;
    /// Draws one cell; the base fills headers with the button face colour and
    /// centres the cell's text.
    virtual void DrawCell(QPainter &painter, int col, int row, const QRect &rect);

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    /// Tells of the cell under the mouse when it is another one.
    void SetHovered(int col, int row);
    /// Moves the current cell when MaySelectCell allows it; extend keeps the
    /// anchor, else the range shrinks to the cell. Returns whether it moved.
    bool MoveTo(int col, int row, bool extend);
    /// Moves one step in a direction to the nearest cell that may become
    /// current, passing over those that may not.
    bool MoveBy(int dCol, int dRow, bool extend);
    /// Moves to the last cell in a direction that may become current (Home,
    /// End: the row's first and last; PgUp, PgDn: the column's).
    bool MoveToEnd(int dCol, int dRow, bool extend);
    /// The left and top edges of a cell with the grid unscrolled.
    int ColLeft(int col) const;
    int RowTop(int row) const;
    /// Returns the room of the cells at present: the widget less the scroll
    /// bars shown.
    QSize ViewSize() const;
    /// Shows, sizes and ranges the scroll bars for the cells' sizes.
    void UpdateScrollBars();

    std::vector<int> FColWidths;
    std::vector<int> FRowHeights;
    std::vector<QStringList> FCells;
    int FGridLineWidth = 1;
    int FCol = 1;
    int FRow = 1;
    int FAnchorCol = 1;
    int FAnchorRow = 1;
    bool FDragging = false;
    int FHoverCol = -1;
    int FHoverRow = -1;
    QScrollBar *FHScroll;
    QScrollBar *FVScroll;
    /// The part of a wheel notch turned with Ctrl held and not yet reported.
    int FZoomAngle = 0;
};
