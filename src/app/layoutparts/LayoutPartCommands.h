#pragma once

#include "document/DocumentFollower.h"

#include <QObject>
#include <QPointer>

class QAction;
class QWidget;
class TCodeEditors;
class TfmDoc;
class TfmKeyLock;
class TfmMSR;
class TKeyboardManager;
class TLayoutDocument;

/// The card reader and key lock commands: the two shared dialogs, created
/// when first needed, and the commands "Считыватель магнитных карт" (Ctrl+Alt+R, toolbar
/// "Считыватель") and "Ключ клавиатуры" (Ctrl+Alt+K, toolbar "Ключ"), enabled
/// only while the active document's layout has a card reader or a key lock.
/// OK hands the edited settings of every layer to the document in one call;
/// Cancel leaves it untouched.
class TLayoutPartCommands : public TDocumentFollower {
    Q_OBJECT

public:
    /// window owns the dialogs; their "..." buttons open editors.
    TLayoutPartCommands(TKeyboardManager &manager, TCodeEditors &editors, QWidget &window);

    QAction *ReaderAction() const { return FReaderAction; }
    QAction *KeyLockAction() const { return FKeyLockAction; }
    TfmMSR &CardReaderDialog();
    TfmKeyLock &KeyLockDialog();

    /// Runs the card reader dialog on a document; OK copies every layer's
    /// reader into it.
    void EditCardReader(TLayoutDocument &document);
    /// Runs the key lock dialog on a document; OK copies every layer's key
    /// lock into it.
    void EditKeyLock(TLayoutDocument &document);

protected:
    /// Follows the active document window (null: none) for the commands'
    /// enabled state.
    void ActiveChanged(TfmDoc *document) override;

private:
    void UpdateActions();

    TKeyboardManager &FManager;
    QWidget &FWindow;
    TCodeEditors &FEditors;
    TfmMSR *FReader = nullptr;
    TfmKeyLock *FKeyLock = nullptr;
    QAction *FReaderAction;
    QAction *FKeyLockAction;
    QPointer<TfmDoc> FActive;
    QMetaObject::Connection FActiveConnection;
};
