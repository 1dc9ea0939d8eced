#include "main/ToolBarFlow.h"

#include <QEvent>
#include <QLayout>
#include <QMainWindow>
#include <QTimer>
#include <QToolBar>
#include <algorithm>

TToolBarFlow::TToolBarFlow(QMainWindow &window) : QObject(&window), FWindow(window)
{
    window.installEventFilter(this);
}

bool TToolBarFlow::eventFilter(QObject *watched, QEvent *event)
{
    // The main window lays its toolbars out again on a resize and on a
    // layout request (a toolbar shown, hidden or changed in size); the check
    // runs once after that, on the laid-out geometry.
    if (watched == &FWindow && !FPending &&
        (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest)) {
        FPending = true;
        QTimer::singleShot(0, this, [this] {
            FPending = false;
            Reflow();
        });
    }
    return QObject::eventFilter(watched, event);
}

QList<QList<QToolBar *>> TToolBarFlow::Rows() const
{
    QList<QToolBar *> bars;
    for (QToolBar *bar : FWindow.findChildren<QToolBar *>(Qt::FindDirectChildrenOnly)) {
        if (!bar->isHidden() && !bar->isFloating() && FWindow.toolBarArea(bar) == Qt::TopToolBarArea)
            bars << bar;
    }
    std::sort(bars.begin(), bars.end(), [](const QToolBar *a, const QToolBar *b) {
        return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
    });
    QList<QList<QToolBar *>> rows;
    for (QToolBar *bar : bars) {
        if (rows.isEmpty() || rows.back().front()->y() != bar->y())
            rows.append(QList<QToolBar *>());
        rows.back() << bar;
    }
    return rows;
}

int TToolBarFlow::RowWidth(const QList<QToolBar *> &row) const
{
    const int spacing = FWindow.layout() ? FWindow.layout()->spacing() : 0;
    int width = 0;
    for (const QToolBar *bar : row)
        width += bar->sizeHint().width() + std::max(spacing, 0);
    return width;
}

void TToolBarFlow::Reflow()
{
    const QList<QList<QToolBar *>> rows = Rows();
    const int room = FWindow.width();
    if (std::none_of(rows.begin(), rows.end(), [&](const auto &row) { return RowWidth(row) > room; }))
        return;
    QList<QList<QToolBar *>> planned;
    for (const QList<QToolBar *> &row : rows) {
        for (QToolBar *bar : row) {
            if (planned.isEmpty() || RowWidth(planned.back() + QList<QToolBar *>{bar}) > room)
                planned.append(QList<QToolBar *>());
            planned.back() << bar;
        }
    }
    // A single toolbar wider than the window cannot be helped by rows.
    if (planned == rows)
        return;
    for (const QList<QToolBar *> &row : planned) {
        for (QToolBar *bar : row)
            FWindow.removeToolBarBreak(bar);
        if (&row != &planned.front())
            FWindow.insertToolBarBreak(row.front());
    }
}
