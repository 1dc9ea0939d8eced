#include "keys/KeyCommands.h"

#include "codeeditors/CodeEditors.h"
#include "document/fmuDoc.h"
#include "keys/fmuKeyDlg.h"

TKeyCommands::TKeyCommands(TKeyboardManager &manager, TCodeEditors &editors, QWidget *mainWindow)
    : TDocumentFollower(mainWindow), FManager(manager), FEditors(editors), FMainWindow(mainWindow)
{
}

TKeyCommands::~TKeyCommands() = default;

TfmKeyDlg &TKeyCommands::KeyDialog()
{
    if (!FKeyDlg) {
        FKeyDlg = new TfmKeyDlg(FManager, FEditors.CodesDialog(), FEditors.NotesDialog(), FMainWindow);
        FKeyDlg->SetDocument(Active() ? &Active()->Document() : nullptr);
    }
    return *FKeyDlg;
}

void TKeyCommands::EditKey(TfmDoc &doc)
{
    if (doc.ViewMode() == vmPicture) {
        emit pictureRequested(&doc);
        return;
    }
    TfmKeyDlg &dialog = KeyDialog();
    dialog.SetDocument(&doc.Document());
    dialog.SetShownLayer(doc.ShownLayer());
    dialog.ShowBesideParent();
}

void TKeyCommands::EditActiveKey()
{
    if (Active())
        EditKey(*Active());
}

void TKeyCommands::ActiveChanged(TfmDoc *doc)
{
    if (!FKeyDlg)
        return;
    FKeyDlg->SetDocument(doc ? &doc->Document() : nullptr);
    if (!doc)
        FKeyDlg->hide();
}

