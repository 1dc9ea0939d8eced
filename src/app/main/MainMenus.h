#pragma once

#include <QHash>
#include <QList>
#include <QString>

class QMainWindow;
class QMenu;
class QToolBar;
class TActionRegistry;

/// The main window's menus and toolbars, each built from a table of command
/// names (ActionRegistry), "-" for a separator.
namespace MainMenus {

/// Adds the toolbars to window, the second row after a break, and adds each
/// toolbar's show/hide toggle to actions under its menu item's name.
/// Returns the toolbars whose buttons carry captions under them; the
/// device box's toolbar "tbUsb" is left empty.
QList<QToolBar *> BuildToolBars(QMainWindow &window, TActionRegistry &actions);

/// Adds the menus to window's menu bar; returns them by name ("miFile").
QHash<QString, QMenu *> BuildMenus(QMainWindow &window, const TActionRegistry &actions);

} // namespace MainMenus
