#include "main/WindowCommands.h"

#include "main/MainActions.h"

#include <QAction>
#include <QActionGroup>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

TWindowCommands::TWindowCommands(const TMainActions &actions, QMdiArea &area) : QObject(&area), FArea(area)
{
    connect(actions.actWindowTileVertical, &QAction::triggered, this, [this] { Tile(Qt::Horizontal); });
    connect(actions.actWindowTileHorizontal, &QAction::triggered, this, [this] { Tile(Qt::Vertical); });
    connect(actions.actWindowCascade, &QAction::triggered, &FArea, &QMdiArea::cascadeSubWindows);
}

void TWindowCommands::Tile(Qt::Orientation orientation)
{
    QList<QMdiSubWindow *> frames;
    for (QMdiSubWindow *frame : FArea.subWindowList(QMdiArea::CreationOrder))
        if (frame->isVisible() && !frame->isMinimized())
            frames << frame;
    if (frames.isEmpty())
        return;
    const QRect area = FArea.viewport()->rect();
    const int count = int(frames.size());
    for (int i = 0; i < count; ++i) {
        frames[i]->showNormal();
        if (orientation == Qt::Horizontal) {
            const int left = area.width() * i / count;
            frames[i]->setGeometry(left, 0, area.width() * (i + 1) / count - left, area.height());
        } else {
            const int top = area.height() * i / count;
            frames[i]->setGeometry(0, top, area.width(), area.height() * (i + 1) / count - top);
        }
    }
}

void TWindowCommands::ListWindowsIn(QMenu &menu)
{
    FWindowList = new QActionGroup(this);
    menu.addSeparator();
    connect(&menu, &QMenu::aboutToShow, this, [this, &menu] { FillWindowList(menu); });
}

void TWindowCommands::FillWindowList(QMenu &menu)
{
    for (QAction *entry : FWindowList->actions())
        delete entry;
    int number = 0;
    for (QMdiSubWindow *frame : FArea.subWindowList(QMdiArea::CreationOrder)) {
        QString caption = frame->windowTitle();
        caption.replace(QStringLiteral("[*]"), frame->isWindowModified() ? QStringLiteral("*") : QString());
        caption.replace(u'&', QStringLiteral("&&"));
        ++number;
        QAction *entry = menu.addAction(number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(caption) : caption);
        entry->setCheckable(true);
        entry->setChecked(frame == FArea.activeSubWindow());
        FWindowList->addAction(entry);
        connect(entry, &QAction::triggered, this, [this, frame] {
            if (frame->isMinimized())
                frame->showNormal();
            FArea.setActiveSubWindow(frame);
        });
    }
}
