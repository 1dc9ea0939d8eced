#pragma once

#include "document/DocumentFollower.h"


class QWidget;
class TfmCodes;
class TfmDoc;
class TfmKeyDlg;
class TfmNotes;
class TKeyboardManager;

/// The key editing windows of the run and the commands that reach them: the
/// key dialog, the key code dialog and the melody editor (which the card
/// reader and key lock dialogs use too). It follows the document windows:
/// the active one, and their requests to edit a key. The windows are built when first needed,
/// which keeps them out of the editor's start.
class TKeyCommands : public TDocumentFollower {
    Q_OBJECT
public:
    /// The windows stay on top of mainWindow and go with it.
    TKeyCommands(TKeyboardManager &manager, QWidget *mainWindow);
    ~TKeyCommands() override;

    TfmKeyDlg &KeyDialog();
    TfmCodes &CodesDialog();
    TfmNotes &NotesDialog();

    /// Edit key of a document window: in the layout and simplified views
    /// the key dialog is attached to its layout, set to its shown layer and
    /// shown; in the picture view pictureRequested is emitted.
    void EditKey(TfmDoc &doc);
    /// Edit key of the active document window, if there is one.
    void EditActiveKey();

signals:
    /// A document window in the picture view asked for the picture dialog.
    void pictureRequested(TfmDoc *doc);

protected:
    /// Follows the active document window; with none (the last one closed)
    /// the key dialog is cleared and hidden.
    void ActiveChanged(TfmDoc *doc) override;

private:
    TKeyboardManager &FManager;
    QWidget *FMainWindow;
    TfmCodes *FCodes = nullptr;
    TfmNotes *FNotes = nullptr;
    TfmKeyDlg *FKeyDlg = nullptr;
};
