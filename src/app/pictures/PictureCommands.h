#pragma once

#include "document/DocumentFollower.h"
#include "document/fmuDoc.h"

#include <QObject>

class TfmPicture;
class TKeyboardManager;

/// The key picture commands: the shared picture window "Рисунок", which
/// follows the active document, opened by "Свойства", Enter or a double
/// click in a picture view, and carrying out the picture view's context
/// commands on the selected keys.
class TPictureCommands : public TDocumentFollower {
    Q_OBJECT

public:
    /// window owns the picture window.
    TPictureCommands(TKeyboardManager &manager, QWidget &window);

    /// Returns the picture window, made when first asked for.
    TfmPicture &PictureWindow();

    /// Shows the picture window for a document in the picture view; returns
    /// false (and does nothing) in the other views, whose edit request
    /// belongs to the key dialog.
    bool EditKey(TfmDoc &document);

protected:
    /// Serves the active document window; with none (the last one closed)
    /// the picture window is cleared and hidden.
    void ActiveChanged(TfmDoc *document) override;

private:
    /// The picture view's context commands, on the active document's
    /// selection.
    enum TPictureCommand { pcLoadPicture, pcSavePicture, pcClearPicture, pcChangeFont, pcChangeColor };
    void RunCommand(TfmDoc &document, TPictureCommand command);

    TKeyboardManager &FManager;
    QWidget &FWindow;
    TfmPicture *FPicture = nullptr;
};
