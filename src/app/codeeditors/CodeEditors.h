#pragma once

#include "codeeditors/PartEditors.h"

#include <QObject>

class QWidget;
class TfmCodes;
class TfmNotes;
class TKeyboardManager;

/// The code and melody editors of the run, which the key dialog and the card
/// reader and key lock dialogs share: the key code dialog and the melody
/// editor, built when first needed (which keeps them out of the editor's
/// start) and kept on top of the main window.
class TCodeEditors : public QObject {
    Q_OBJECT

public:
    TCodeEditors(TKeyboardManager &manager, QWidget &mainWindow);

    TfmCodes &CodesDialog();
    TfmNotes &NotesDialog();
    /// The two editors as the card reader and key lock dialogs take them.
    TPartEditors PartEditors();

private:
    TKeyboardManager &FManager;
    QWidget &FMainWindow;
    TfmCodes *FCodes = nullptr;
    TfmNotes *FNotes = nullptr;
};
