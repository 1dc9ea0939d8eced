#include "codeeditors/CodeEditors.h"

#include "codeeditors/fmuCodes.h"
#include "codeeditors/fmuNotes.h"

TCodeEditors::TCodeEditors(TKeyboardManager &manager, QWidget &mainWindow)
    : QObject(&mainWindow), FManager(manager), FMainWindow(mainWindow)
{
}

TfmCodes &TCodeEditors::CodesDialog()
{
    if (!FCodes)
        FCodes = new TfmCodes(FManager, &FMainWindow);
    return *FCodes;
}

TfmNotes &TCodeEditors::NotesDialog()
{
    if (!FNotes)
        FNotes = new TfmNotes(FManager, &FMainWindow);
    return *FNotes;
}

TPartEditors TCodeEditors::PartEditors()
{
    return {[this](QWidget &, TScanCodes &codes, int mode) { return CodesDialog().Execute(codes, mode); },
            [this](QWidget &, TNotes &melody, const QString &text) { return NotesDialog().Execute(melody, text); }};
}
