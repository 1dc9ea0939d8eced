#pragma once

#include <QObject>

class QDockWidget;
class QMainWindow;

/// Keeps the message window's place in the main window: docked in the bottom
/// dock area at a remembered height, or floating, or hidden. When it is shown
/// docked the area takes the remembered height, one fifth of the main
/// window's height when none is remembered; hiding it forgets the height.
class TMessageDocking : public QObject {
    Q_OBJECT

public:
    TMessageDocking(QMainWindow &window, QDockWidget &dock);

    /// Puts the message window into the bottom area: shown at height when
    /// docked is set, hidden otherwise.
    void Restore(bool docked, int height);
    /// Returns whether the message window is docked and shown.
    bool Docked() const;
    /// Returns the remembered height of the docked message window (1 when it
    /// is not docked).
    int Height() const;
    /// Shows the message window at its place.
    void Show();
    /// Hides it when it is shown, shows it otherwise.
    void Toggle();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ApplyHeight();

    QMainWindow &FWindow;
    QDockWidget &FDock;
    int FHeight = 1;
};
