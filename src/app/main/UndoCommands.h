#pragma once

#include "document/DocumentFollower.h"

class QAction;
class QDockWidget;
class QMainWindow;
class QUndoGroup;
class TDocumentWindows;
class TfmDoc;

/// The undo commands of the main window: "Отменить" (Ctrl+Z) and
/// "Повторить" (Ctrl+Y, Ctrl+Shift+Z), whose captions name the step they
/// undo or redo and which are enabled only when there is one, and the
/// history dock "История" listing the active document's steps (any of them
/// can be jumped to), hidden at first. Every document's stack belongs to one
/// group; the active document's stack is the group's active one.
class TUndoCommands : public TDocumentFollower {
    Q_OBJECT

public:
    /// window holds the history dock.
    TUndoCommands(TDocumentWindows &documents, QMainWindow &window);

    QAction *UndoAction() const { return FUndo; }
    QAction *RedoAction() const { return FRedo; }
    QDockWidget *HistoryDock() const { return FHistory; }
    QUndoGroup &Group() const { return *FGroup; }

    /// Puts a new document's steps into the group.
    void DocumentCreated(TfmDoc &document) override;
    /// Undoes and redoes the steps of document (null: none). The main
    /// window calls it with its command states, which rest while the print
    /// preview is open.
    void UndoDocument(TfmDoc *document);

private:
    QUndoGroup *FGroup;
    QAction *FUndo;
    QAction *FRedo;
    QDockWidget *FHistory;
};
