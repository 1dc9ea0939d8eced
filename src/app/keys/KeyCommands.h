#pragma once

#include "document/DocumentFollower.h"


class QWidget;
class TCodeEditors;
class TfmDoc;
class TfmKeyDlg;
class TKeyboardManager;

/// The key dialog of the run and the command that reaches it; the dialog
/// edits codes and melodies with the shared code and melody editors. It
/// follows the active document window. The dialog is built when first
/// needed, which keeps it out of the editor's start.
class TKeyCommands : public TDocumentFollower {
    Q_OBJECT
public:
    /// The windows stay on top of mainWindow and go with it.
    TKeyCommands(TKeyboardManager &manager, TCodeEditors &editors, QWidget *mainWindow);
    ~TKeyCommands() override;

    TfmKeyDlg &KeyDialog();

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
    TCodeEditors &FEditors;
    QWidget *FMainWindow;
    TfmKeyDlg *FKeyDlg = nullptr;
};
