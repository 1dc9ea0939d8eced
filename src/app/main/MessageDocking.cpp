#include "main/MessageDocking.h"

#include <QDockWidget>
#include <QEvent>
#include <QMainWindow>

TMessageDocking::TMessageDocking(QMainWindow &window, QDockWidget &dock)
    : QObject(&window), FWindow(window), FDock(dock)
{
    FDock.installEventFilter(this);
    connect(&FDock, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible && !FDock.isFloating())
            ApplyHeight();
        // Closed or hidden by the user (not merely with the main window):
        // the height is forgotten.
        if (!visible && FDock.isHidden())
            FHeight = 1;
    });
    connect(&FDock, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        if (floating)
            FHeight = 1;
        else
            ApplyHeight();
    });
}

void TMessageDocking::Restore(bool docked, int height)
{
    FWindow.addDockWidget(Qt::BottomDockWidgetArea, &FDock);
    FDock.setFloating(false);
    FHeight = docked ? height : 1;
    FDock.setVisible(docked);
    if (docked)
        ApplyHeight();
}

bool TMessageDocking::Docked() const
{
    return !FDock.isHidden() && !FDock.isFloating();
}

int TMessageDocking::Height() const
{
    return Docked() ? FHeight : 1;
}

void TMessageDocking::Show()
{
    FDock.show();
    FDock.raise();
    if (!FDock.isFloating())
        ApplyHeight();
}

void TMessageDocking::Toggle()
{
    if (FDock.isHidden())
        Show();
    else
        FDock.hide();
}

void TMessageDocking::ApplyHeight()
{
    if (FHeight < 2)
        FHeight = qMax(2, FWindow.height() / 5);
    FWindow.resizeDocks({&FDock}, {FHeight}, Qt::Vertical);
}

bool TMessageDocking::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &FDock) {
        // The user's splitter drags are remembered while the window is docked
        // and shown.
        if (event->type() == QEvent::Resize && FDock.isVisible() && !FDock.isFloating())
            FHeight = FDock.height();
    }
    return QObject::eventFilter(watched, event);
}
