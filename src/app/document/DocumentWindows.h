#pragma once

#include "common/ActionRegistry.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QMdiArea;
class QMdiSubWindow;
class TfmDoc;
class TKeyboardManager;
class TMessageLink;

/// The document windows of the main window: creates them, places them in the
/// multiple-document area, finds the active one and closes them. Every
/// command object follows the active document through its two signals:
/// activeChanged when another window (or none) becomes the active one,
/// activeStateChanged when anything of the active one that commands depend
/// on changes (selection, content, modified state), and after activeChanged.
class TDocumentWindows : public QObject {
    Q_OBJECT

public:
    TDocumentWindows(TKeyboardManager &manager, TMessageLink &messages, QMdiArea &area, QObject *parent = nullptr);

    /// Creates a hidden document window captioned caption (until its layout
    /// has a file name), or "Раскладка" with the next running number when
    /// caption is empty, in the view mode
    /// of the settings. The caller shows it with Show, or deletes it.
    TfmDoc *Create(const QString &caption = QString());
    /// Gives every window made from now on the editor's commands.
    void UseCommands(const TActionRegistry &commands) { FCommands = commands; }
    /// Shows a created window: cascaded after the windows already open, made
    /// a child of the area and activated.
    void Show(TfmDoc *document);

    /// Returns the active document window, or null.
    TfmDoc *Active() const;
    /// Returns the active document window; raises "Нет активного документа"
    /// without one.
    TfmDoc &ActiveOrFail() const;
    /// Returns the shown document windows in the order they were opened.
    QList<TfmDoc *> All() const;
    /// Returns the shown document window whose layout was read from or saved
    /// to fileName (the same file by its canonical path), or null.
    TfmDoc *OpenedFrom(const QString &fileName) const;
    /// Makes a shown document window the active one and brings it forward.
    void Activate(TfmDoc *document);
    /// Returns the sub-window that holds document.
    QMdiSubWindow *Frame(const TfmDoc *document) const;

    /// Closes every document window from the last to the first; returns false
    /// as soon as one refuses (its user chose Cancel).
    bool CloseAll();
    /// Asks the first document whose layout has the InstanceNumber tag to go
    /// to the key a message line names.
    void GoToMessage(const QString &text, int tag);
    /// Asks for a command update (after a save, an open or a read).
    void NotifyChanged() { Update(); }

signals:
    /// A document window was created (before it is shown).
    void created(TfmDoc *document);
    /// Another document window, or none, became the active one.
    void activeChanged(TfmDoc *active);
    /// The active document's state changed: the command states must follow.
    void activeStateChanged();

private:
    void Watch(TfmDoc *document);
    /// Emits activeChanged when the active window is another one, then
    /// activeStateChanged.
    void Update();

    TKeyboardManager &FManager;
    TMessageLink &FMessages;
    QMdiArea &FArea;
    /// The one running number of untitled windows ("Раскладка1", ...).
    int FRunningNumber = 0;
    TActionRegistry FCommands;
    /// The active window as the signals last told it.
    QPointer<TfmDoc> FActive;
    bool FHadActive = false;
};
