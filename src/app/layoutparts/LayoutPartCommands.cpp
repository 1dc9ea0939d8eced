#include "layoutparts/LayoutPartCommands.h"

#include "codeeditors/CodeEditors.h"
#include "common/ActionRegistry.h"
#include "common/CommandGuard.h"
#include "document/LayoutDocument.h"
#include "document/fmuDoc.h"
#include "layoutparts/fmuKeyLock.h"
#include "layoutparts/fmuMSR.h"

#include <QAction>

TLayoutPartCommands::TLayoutPartCommands(TKeyboardManager &manager, TCodeEditors &editors, QWidget &window)
    : TDocumentFollower(&window), FManager(manager), FWindow(window), FEditors(editors)
{
    auto command = [this, &window](QStringView name, void (TLayoutPartCommands::*edit)(TLayoutDocument &)) {
        return TActionRegistry::MakeCommand(name, this, window, [this, edit] {
            if (FActive)
                (this->*edit)(FActive->Document());
        });
    };
    FReaderAction = command(u"actEditCardReader", &TLayoutPartCommands::EditCardReader);
    FKeyLockAction = command(u"actEditKeyLock", &TLayoutPartCommands::EditKeyLock);
    UpdateActions();
}

TfmMSR &TLayoutPartCommands::CardReaderDialog()
{
    if (!FReader) {
        FReader = new TfmMSR(FManager, &FWindow);
        FReader->SetEditors(FEditors.PartEditors());
    }
    return *FReader;
}

TfmKeyLock &TLayoutPartCommands::KeyLockDialog()
{
    if (!FKeyLock) {
        FKeyLock = new TfmKeyLock(FManager, &FWindow);
        FKeyLock->SetEditors(FEditors.PartEditors());
    }
    return *FKeyLock;
}

void TLayoutPartCommands::ActiveChanged(TfmDoc *document)
{
    disconnect(FActiveConnection);
    FActive = document;
    // A change of keyboard model may add or remove the reader or the lock.
    if (document)
        FActiveConnection = connect(&document->Document(), &TLayoutDocument::changed, this,
                                    &TLayoutPartCommands::UpdateActions);
    UpdateActions();
}

void TLayoutPartCommands::EditCardReader(TLayoutDocument &document)
{
    TfmMSR &dialog = CardReaderDialog();
    if (dialog.Execute(document.Layout()))
        document.SetCardReaders(dialog.Result());
}

void TLayoutPartCommands::EditKeyLock(TLayoutDocument &document)
{
    TfmKeyLock &dialog = KeyLockDialog();
    if (dialog.Execute(document.Layout()))
        document.SetKeyLocks(dialog.Result());
}

void TLayoutPartCommands::UpdateActions()
{
    FReaderAction->setEnabled(FActive && FActive->Document().Layout().HasReader());
    FKeyLockAction->setEnabled(FActive && FActive->Document().Layout().HasKey());
}
