#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

class QAction;
class QObject;
class QWidget;

/// The editor's commands. One table gives every command its name, caption,
/// keys, toolbar caption, hint and icon; the object that carries a command
/// out makes its action from the table by name and connects its handler;
/// the menus and toolbars are built from the made actions, found by name.
/// A new command is a row of the table, a line in a menu table and a
/// handler.
class TActionRegistry {
public:
    /// Makes the action the table names, owned by owner. Its tooltip is the
    /// hint, or the caption; its status tip the hint. Throws
    /// std::logic_error for a name the table lacks.
    static QAction *Make(QStringView name, QObject *owner);
    /// Makes the action and connects it: triggering it runs command
    /// through the one error display, with window as the parent of its
    /// messages.
    static QAction *MakeCommand(QStringView name, QObject *owner, QWidget &window,
                                const std::function<void()> &command);
    /// Returns the names of the table's rows in their order.
    static QStringList Names();
    /// Returns whether the command has an item in the menu bar (the others
    /// live in context menus, or on a toolbar and keys only).
    static bool InMenuBar(QStringView name);

    /// Finds the made actions of the table among root's descendants.
    explicit TActionRegistry(const QObject &root);
    /// No actions.
    TActionRegistry() = default;
    /// Returns the action of the name; throws std::logic_error when none was
    /// made under root.
    QAction *Action(QStringView name) const;
    bool Contains(QStringView name) const { return FActions.contains(name.toString()); }
    /// Adds an action that Qt makes (a toolbar's or a dock's toggle) under
    /// its object name, so that the menus can show it.
    void Add(QAction *action);

private:
    QHash<QString, QAction *> FActions;
};
