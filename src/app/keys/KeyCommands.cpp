#include "keys/KeyCommands.h"

#include "document/fmuDoc.h"
#include "keys/fmuCodes.h"
#include "keys/fmuKeyDlg.h"
#include "keys/fmuNotes.h"

TKeyCommands::TKeyCommands(TKeyboardManager &manager, QWidget *mainWindow)
    : TDocumentFollower(mainWindow), FManager(manager), FMainWindow(mainWindow)
{
}

TKeyCommands::~TKeyCommands() = default;

TfmCodes &TKeyCommands::CodesDialog()
{
    if (!FCodes)
        FCodes = new TfmCodes(FManager, FMainWindow);
    return *FCodes;
}

TfmNotes &TKeyCommands::NotesDialog()
{
    if (!FNotes)
        FNotes = new TfmNotes(FManager, FMainWindow);
    return *FNotes;
}

TfmKeyDlg &TKeyCommands::KeyDialog()
{
    if (!FKeyDlg) {
        FKeyDlg = new TfmKeyDlg(FManager, CodesDialog(), NotesDialog(), FMainWindow);
        FKeyDlg->SetDocument(Active() ? &Active()->Document() : nullptr);
    }
    return *FKeyDlg;
}

void TKeyCommands::EditKey(TfmDoc &doc)
{
    if (doc.ViewMode() == TfmDoc::vmPicture) {
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

