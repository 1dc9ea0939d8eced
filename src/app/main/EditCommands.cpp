#include "main/EditCommands.h"

#include "common/CommandGuard.h"
#include "dialogs/fmuFind.h"
#include "dialogs/fmuReplace.h"
#include "document/fmuDoc.h"
#include "document/DocumentWindows.h"
#include "main/MainActions.h"

#include <QAction>

TEditCommands::TEditCommands(const TMainActions &actions, TDocumentWindows &documents, QWidget &window)
    : TDocumentFollower(&window), FDocuments(documents), FWindow(window)
{
    // Each command acts on the active document and updates the command
    // states afterwards (the selection or the clipboard may have changed).
    const auto bind = [this](QAction *action, void (*command)(TEditCommands &, TfmDoc &)) {
        connect(action, &QAction::triggered, this, [this, command] {
            CommandGuard::RunCommand(&FWindow, [&] { command(*this, FDocuments.ActiveOrFail()); });
            FDocuments.NotifyChanged();
        });
    };
    bind(actions.actEditCut, [](TEditCommands &, TfmDoc &document) { document.Cut(); });
    bind(actions.actEditCopy, [](TEditCommands &, TfmDoc &document) { document.Copy(); });
    bind(actions.actEditPaste, [](TEditCommands &, TfmDoc &document) { document.Paste(); });
    bind(actions.actEditFind, [](TEditCommands &self, TfmDoc &document) { self.Find(document); });
    bind(actions.actEditReplace, [](TEditCommands &self, TfmDoc &document) { self.Replace(document); });
    bind(actions.actEditSelectAll, [](TEditCommands &, TfmDoc &document) { document.SelectAll(); });
    bind(actions.actEditClear, [](TEditCommands &, TfmDoc &document) { document.Clear(); });
    bind(actions.actEditGroup, [](TEditCommands &, TfmDoc &document) { document.Group(); });
    bind(actions.actEditUngroup, [](TEditCommands &, TfmDoc &document) { document.Ungroup(); });
    bind(actions.actEditCheck, [](TEditCommands &, TfmDoc &document) { document.Check(); });
    Follow(documents);
}

// The dialogs are made on first use and kept, with their histories, for the
// rest of the run.
void TEditCommands::Find(TfmDoc &document)
{
    if (!FFind)
        FFind = new TfmFind(&FWindow);
    if (FFind->exec() == QDialog::Accepted)
        document.Find(FFind->FindText());
}

void TEditCommands::Replace(TfmDoc &document)
{
    if (!FReplace)
        FReplace = new TfmReplace(&FWindow);
    if (FReplace->exec() == QDialog::Accepted)
        document.Replace(FReplace->FindText(), FReplace->ReplaceText());
}
