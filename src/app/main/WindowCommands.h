#pragma once

#include <QObject>

class QActionGroup;
class QMdiArea;
class QMenu;
struct TMainActions;

/// The commands of the "&Окно" menu: the document windows side by side, one
/// above the other, or cascaded, and below them one entry per open window
/// that brings it forward.
class TWindowCommands : public QObject {
    Q_OBJECT

public:
    TWindowCommands(const TMainActions &actions, QMdiArea &area);

    /// Lists the open windows at the end of menu each time it opens:
    /// numbered, captioned as their frames are, the active one checked.
    void ListWindowsIn(QMenu &menu);

private:
    void FillWindowList(QMenu &menu);
    /// Gives each document window a strip of the area, in window order.
    void Tile(Qt::Orientation orientation);

    QMdiArea &FArea;
    QActionGroup *FWindowList = nullptr;
};
