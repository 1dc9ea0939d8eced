#include "document/StringGrid2.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kDefaultCellSize = 25;
// The wheel's angle of one notch, in eighths of a degree.
constexpr int kWheelNotch = 120;

} // namespace

TStringGrid2::TStringGrid2(QWidget *parent)
    : QWidget(parent), FHScroll(new QScrollBar(Qt::Horizontal, this)), FVScroll(new QScrollBar(Qt::Vertical, this))
{
    setFocusPolicy(Qt::StrongFocus);
    // The cell under the mouse is told even without a button held.
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The keys stay with the grid; the bars only follow the mouse.
    for (QScrollBar *bar : {FHScroll, FVScroll}) {
        bar->setFocusPolicy(Qt::NoFocus);
        bar->hide();
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            update();
            // Another cell scrolls under a mouse that stays put.
            int col = -1;
            int row = -1;
            if (!underMouse() || !CellAt(mapFromGlobal(QCursor::pos()), col, row))
                col = row = -1;
            SetHovered(col, row);
        });
    }
    SetSize(2, 2);
}

void TStringGrid2::SetSize(int cols, int rows)
{
    cols = std::max(cols, 2);
    rows = std::max(rows, 2);
    FColWidths.resize(size_t(cols), kDefaultCellSize);
    FRowHeights.resize(size_t(rows), kDefaultCellSize);
    FCells.resize(size_t(rows));
    for (QStringList &line : FCells)
        line.resize(cols);
    FCol = std::clamp(FCol, 1, cols - 1);
    FRow = std::clamp(FRow, 1, rows - 1);
    FAnchorCol = std::clamp(FAnchorCol, 1, cols - 1);
    FAnchorRow = std::clamp(FAnchorRow, 1, rows - 1);
    UpdateScrollBars();
    update();
}

void TStringGrid2::SetColWidth(int col, int width)
{
    FColWidths[size_t(col)] = std::max(width, 0);
    UpdateScrollBars();
    update();
}

void TStringGrid2::SetRowHeight(int row, int height)
{
    FRowHeights[size_t(row)] = std::max(height, 0);
    UpdateScrollBars();
    update();
}

void TStringGrid2::SetCellSizes(const std::vector<int> &colWidths, const std::vector<int> &rowHeights)
{
    for (size_t c = 0; c < FColWidths.size() && c < colWidths.size(); ++c)
        FColWidths[c] = std::max(colWidths[c], 0);
    for (size_t r = 0; r < FRowHeights.size() && r < rowHeights.size(); ++r)
        FRowHeights[r] = std::max(rowHeights[r], 0);
    UpdateScrollBars();
    update();
}

QSize TStringGrid2::ContentSize() const
{
    return QSize(ColLeft(ColCount()), RowTop(RowCount()));
}

QSize TStringGrid2::ViewSizeFor(const QSize &content) const
{
    const int barWidth = FVScroll->sizeHint().width();
    const int barHeight = FHScroll->sizeHint().height();
    // Either bar takes room from the other direction and may call for the
    // other bar in turn.
    bool vertical = content.height() > height();
    const bool horizontal = content.width() > width() - (vertical ? barWidth : 0);
    vertical = vertical || (horizontal && content.height() > height() - barHeight);
    return QSize(std::max(0, width() - (vertical ? barWidth : 0)), std::max(0, height() - (horizontal ? barHeight : 0)));
}

QSize TStringGrid2::ViewSize() const
{
    return QSize(width() - (FVScroll->isHidden() ? 0 : FVScroll->width()),
                 height() - (FHScroll->isHidden() ? 0 : FHScroll->height()));
}

void TStringGrid2::UpdateScrollBars()
{
    const QSize content = ContentSize();
    const QSize view = ViewSizeFor(content);
    // The bars scroll the key cells through the room beside the headers;
    // one step is a third of a key cell, so that a wheel notch moves a cell.
    FHScroll->setGeometry(0, view.height(), view.width(), height() - view.height());
    FHScroll->setRange(0, std::max(0, content.width() - view.width()));
    FHScroll->setPageStep(std::max(1, view.width() - ColLeft(1)));
    FHScroll->setSingleStep(std::max(1, FColWidths.back() / 3));
    FVScroll->setGeometry(view.width(), 0, width() - view.width(), view.height());
    FVScroll->setRange(0, std::max(0, content.height() - view.height()));
    FVScroll->setPageStep(std::max(1, view.height() - RowTop(1)));
    FVScroll->setSingleStep(std::max(1, FRowHeights.back() / 3));
    FHScroll->setVisible(view.height() < height());
    FVScroll->setVisible(view.width() < width());
}

void TStringGrid2::ScrollToCell(int col, int row)
{
    const QSize view = ViewSize();
    // The far edge first, the near one last: a cell larger than the room
    // shows its start.
    const auto scroll = [](QScrollBar *bar, int start, int end, int fixedEnd, int viewEnd) {
        int value = bar->value();
        if (end - value > viewEnd)
            value = end - viewEnd;
        if (start - value < fixedEnd)
            value = start - fixedEnd;
        bar->setValue(value);
    };
    if (col >= 1 && col < ColCount())
        scroll(FHScroll, ColLeft(col), ColLeft(col) + FColWidths[size_t(col)], ColLeft(1), view.width());
    if (row >= 1 && row < RowCount())
        scroll(FVScroll, RowTop(row), RowTop(row) + FRowHeights[size_t(row)], RowTop(1), view.height());
}

QString TStringGrid2::Cell(int col, int row) const
{
    return FCells[size_t(row)][col];
}

void TStringGrid2::SetCell(int col, int row, const QString &text)
{
    FCells[size_t(row)][col] = text;
    update(CellRect(col, row));
}

TRect TStringGrid2::Selection() const
{
    return TRect{std::min(FCol, FAnchorCol), std::min(FRow, FAnchorRow), std::max(FCol, FAnchorCol),
                 std::max(FRow, FAnchorRow)};
}

void TStringGrid2::SetSelection(const TRect &selection)
{
    // The same range keeps its current cell and anchor, so that a range the
    // user is extending keeps growing from where it started.
    if (selection == Selection())
        return;
    const int lastCol = ColCount() - 1;
    const int lastRow = RowCount() - 1;
    FAnchorCol = std::clamp(selection.Right, 1, lastCol);
    FAnchorRow = std::clamp(selection.Bottom, 1, lastRow);
    FCol = std::clamp(selection.Left, 1, lastCol);
    FRow = std::clamp(selection.Top, 1, lastRow);
    update();
}

bool TStringGrid2::IsCellSelected(int col, int row) const
{
    if (hasFocus() && col == FCol && row == FRow)
        return true;
    return Selection().Contains(col, row);
}

int TStringGrid2::ColLeft(int col) const
{
    int x = 0;
    for (int c = 0; c < col; ++c)
        x += FColWidths[size_t(c)] + FGridLineWidth;
    return x;
}

int TStringGrid2::RowTop(int row) const
{
    int y = 0;
    for (int r = 0; r < row; ++r)
        y += FRowHeights[size_t(r)] + FGridLineWidth;
    return y;
}

QRect TStringGrid2::CellRect(int col, int row) const
{
    return QRect(ColLeft(col) - (col > 0 ? FHScroll->value() : 0), RowTop(row) - (row > 0 ? FVScroll->value() : 0),
                 FColWidths[size_t(col)], FRowHeights[size_t(row)]);
}

bool TStringGrid2::CellAt(const QPoint &point, int &col, int &row) const
{
    auto find = [](const std::vector<int> &sizes, int lineWidth, int at, int &index) {
        int start = 0;
        for (size_t i = 0; i < sizes.size(); ++i) {
            const int end = start + sizes[i] + lineWidth;
            if (at >= start && at < end) {
                index = int(i);
                return true;
            }
            start = end;
        }
        return false;
    };
    const QSize view = ViewSize();
    if (point.x() < 0 || point.y() < 0 || point.x() >= view.width() || point.y() >= view.height())
        return false;
    // Past the headers the point lies on the scrolled key cells.
    const int x = point.x() >= ColLeft(1) ? point.x() + FHScroll->value() : point.x();
    const int y = point.y() >= RowTop(1) ? point.y() + FVScroll->value() : point.y();
    return find(FColWidths, FGridLineWidth, x, col) && find(FRowHeights, FGridLineWidth, y, row);
}

bool TStringGrid2::MaySelectCell(int col, int row) const
{
    return col >= 1 && row >= 1 && col < ColCount() && row < RowCount();
}

bool TStringGrid2::MoveTo(int col, int row, bool extend)
{
    if (col < 1 || row < 1 || col >= ColCount() || row >= RowCount() || !MaySelectCell(col, row))
        return false;
    const TRect before = Selection();
    const bool sameCell = col == FCol && row == FRow;
    FCol = col;
    FRow = row;
    if (!extend) {
        FAnchorCol = col;
        FAnchorRow = row;
    }
    ScrollToCell(col, row);
    update();
    if (!sameCell || !(Selection() == before))
        emit selectionChanged();
    return true;
}

void TStringGrid2::DrawCell(QPainter &painter, int col, int row, const QRect &rect)
{
    if (col == 0 || row == 0)
        painter.fillRect(rect, palette().button());
    else
        painter.fillRect(rect, IsCellSelected(col, row) ? palette().highlight() : palette().base());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, Cell(col, row));
}

void TStringGrid2::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    // Lines between the cells; the area right of and below the grid stays
    // in the window colour.
    painter.fillRect(event->rect(), palette().window());
    const QColor lineColor = palette().color(QPalette::Dark);
    // Each cell keeps to its pane: key cells to the room right of and below
    // the headers, which they scroll under; no cell reaches the scroll bars.
    const QSize view = ViewSize();
    for (int r = 0; r < RowCount(); ++r) {
        for (int c = 0; c < ColCount(); ++c) {
            const QRect pane(QPoint(c > 0 ? ColLeft(1) : 0, r > 0 ? RowTop(1) : 0),
                             QPoint(view.width() - 1, view.height() - 1));
            const QRect rect = CellRect(c, r);
            const QRect withLines = rect.adjusted(0, 0, FGridLineWidth, FGridLineWidth) & pane;
            if (!withLines.intersects(event->rect()))
                continue;
            painter.fillRect(withLines, lineColor);
            painter.save();
            painter.setClipRect(rect & pane);
            DrawCell(painter, c, r, rect);
            painter.restore();
        }
    }
}

void TStringGrid2::mousePressEvent(QMouseEvent *event)
{
    int col = 0;
    int row = 0;
    if (event->button() == Qt::LeftButton && CellAt(event->position().toPoint(), col, row)) {
        FDragging = MoveTo(col, row, event->modifiers() & Qt::ShiftModifier);
        if (!FDragging)
            FDragging = Selection().Contains(col, row);
    }
    QWidget::mousePressEvent(event);
}

void TStringGrid2::SetHovered(int col, int row)
{
    if (col == FHoverCol && row == FHoverRow)
        return;
    FHoverCol = col;
    FHoverRow = row;
    emit cellHovered(col, row);
}

void TStringGrid2::leaveEvent(QEvent *event)
{
    SetHovered(-1, -1);
    QWidget::leaveEvent(event);
}

void TStringGrid2::wheelEvent(QWheelEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        // Only whole notches count, so that a fine-grained touchpad does not
        // race through the zoom steps.
        FZoomAngle += event->angleDelta().y();
        const int steps = FZoomAngle / kWheelNotch;
        FZoomAngle -= steps * kWheelNotch;
        event->accept();
        if (steps != 0)
            emit zoomWheeled(steps);
        return;
    }
    const QPoint delta = event->angleDelta();
    QScrollBar *bar = std::abs(delta.x()) > std::abs(delta.y()) || FVScroll->isHidden() ? FHScroll : FVScroll;
    if (bar->isHidden()) {
        event->ignore();
        return;
    }
    QCoreApplication::sendEvent(bar, event);
}

void TStringGrid2::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    UpdateScrollBars();
    emit viewResized();
}

void TStringGrid2::mouseMoveEvent(QMouseEvent *event)
{
    int col = 0;
    int row = 0;
    if (CellAt(event->position().toPoint(), col, row))
        SetHovered(col, row);
    else
        SetHovered(-1, -1);
    if (FDragging && (event->buttons() & Qt::LeftButton) && CellAt(event->position().toPoint(), col, row)
        && (col != FCol || row != FRow))
        MoveTo(col, row, true);
    QWidget::mouseMoveEvent(event);
}

void TStringGrid2::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        FDragging = false;
    QWidget::mouseReleaseEvent(event);
}

void TStringGrid2::contextMenuEvent(QContextMenuEvent *event)
{
    // X11 sends this on the right button's press, other systems on its
    // release; the Menu key sends it too. A right click outside the
    // selection selects the cell under the mouse first, so that the menu acts
    // on what the user pointed at.
    QPoint at = event->pos();
    int col = 0;
    int row = 0;
    if (event->reason() == QContextMenuEvent::Mouse) {
        if (CellAt(at, col, row) && !Selection().Contains(col, row))
            MoveTo(col, row, false);
    } else {
        at = CellRect(FCol, FRow).center();
    }
    event->accept();
    emit contextMenuWanted(mapToGlobal(at));
}

void TStringGrid2::mouseDoubleClickEvent(QMouseEvent *event)
{
    int col = 0;
    int row = 0;
    if (event->button() == Qt::LeftButton && CellAt(event->position().toPoint(), col, row) && col > 0 && row > 0)
        emit cellActivated();
    QWidget::mouseDoubleClickEvent(event);
}

bool TStringGrid2::MoveBy(int dCol, int dRow, bool extend)
{
    // Cells that may not become current (keyless ones) are passed over.
    for (int col = FCol + dCol, row = FRow + dRow; col >= 1 && row >= 1 && col < ColCount() && row < RowCount();
         col += dCol, row += dRow)
        if (MaySelectCell(col, row))
            return MoveTo(col, row, extend);
    return false;
}

bool TStringGrid2::MoveToEnd(int dCol, int dRow, bool extend)
{
    // From the far edge back towards the current cell: the first cell that
    // may become current is the last one in that direction.
    const int col = dCol < 0 ? 1 : dCol > 0 ? ColCount() - 1 : FCol;
    const int row = dRow < 0 ? 1 : dRow > 0 ? RowCount() - 1 : FRow;
    for (int c = col, r = row;; c -= dCol, r -= dRow) {
        if (MaySelectCell(c, r))
            return MoveTo(c, r, extend);
        if (c == FCol && r == FRow)
            return false;
    }
}

void TStringGrid2::keyPressEvent(QKeyEvent *event)
{
    // The moving keys: a direction, and whether the key goes to the last
    // cell that way (Home, End, PgUp, PgDn) or one step.
    struct TMove {
        Qt::Key Key;
        int DCol;
        int DRow;
        bool ToEnd;
    };
    static constexpr TMove kMoves[] = {
        {Qt::Key_Left, -1, 0, false}, {Qt::Key_Right, 1, 0, false}, {Qt::Key_Up, 0, -1, false},
        {Qt::Key_Down, 0, 1, false},  {Qt::Key_Home, -1, 0, true},  {Qt::Key_End, 1, 0, true},
        {Qt::Key_PageUp, 0, -1, true}, {Qt::Key_PageDown, 0, 1, true}};
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    for (const TMove &move : kMoves)
        if (event->key() == move.Key) {
            if (move.ToEnd)
                MoveToEnd(move.DCol, move.DRow, extend);
            else
                MoveBy(move.DCol, move.DRow, extend);
            return;
        }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit cellActivated();
        break;
    case Qt::Key_Delete:
        emit deletePressed();
        break;
    default:
        QWidget::keyPressEvent(event);
        break;
    }
}

void TStringGrid2::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void TStringGrid2::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}
