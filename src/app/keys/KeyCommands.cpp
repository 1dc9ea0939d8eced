#include "keys/KeyCommands.h"

#include "document/fmuDoc.h"
#include "keys/fmuCodes.h"
#include "keys/fmuKeyDlg.h"
#include "keys/fmuNotes.h"


TKeyCommands::TKeyCommands(TKeyboardManager &manager, QWidget *mainWindow)
    : QObject(mainWindow), FCodes(new TfmCodes(manager, mainWindow)), FNotes(new TfmNotes(manager, mainWindow)),
      FKeyDlg(new TfmKeyDlg(manager, *FCodes, *FNotes, mainWindow))
{
}

TKeyCommands::~TKeyCommands() = default;

void TKeyCommands::EditKey(TfmDoc &doc)
{
    if (doc.ViewMode() == TfmDoc::vmPicture) {
        emit pictureRequested(&doc);
        return;
    }
    FKeyDlg->SetDocument(&doc.Document());
    FKeyDlg->SetShownLayer(doc.ShownLayer());
    FKeyDlg->ShowBesideParent();
}

void TKeyCommands::EditActiveKey()
{
    if (FActive)
        EditKey(*FActive);
}

void TKeyCommands::ActiveDocumentChanged(TfmDoc *doc)
{
    FActive = doc;
    FKeyDlg->SetDocument(doc ? &doc->Document() : nullptr);
}

void TKeyCommands::LastDocumentClosed()
{
    FActive = nullptr;
    FKeyDlg->SetDocument(nullptr);
    FKeyDlg->hide();
}

void TKeyCommands::Watch(TfmDoc &doc)
{
    // The picture view's own request (Enter, double-click) is the picture
    // window's; the key dialog answers the other views.
    connect(&doc, &TfmDoc::editKeyRequested, this, [this, window = QPointer<TfmDoc>(&doc)] {
        if (window && window->ViewMode() != TfmDoc::vmPicture)
            EditKey(*window);
    });
}
