#pragma once

#include "document/DocumentFollower.h"

class QWidget;
class TDocumentWindows;
class TfmDoc;
class TfmFind;
class TfmReplace;
struct TMainActions;

/// The commands of the "&Правка" menu on the active document: cut, copy,
/// paste, find, replace, select all, clear, group, ungroup and the layout
/// check. Find and replace show the shared dialogs modally and hand their
/// texts to the document; a document window's own find and replace requests
/// come here too.
class TEditCommands : public TDocumentFollower {
    Q_OBJECT

public:
    TEditCommands(const TMainActions &actions, TDocumentWindows &documents, QWidget &window);

private:
    void Find(TfmDoc &document);
    void Replace(TfmDoc &document);

    TDocumentWindows &FDocuments;
    QWidget &FWindow;
    TfmFind *FFind = nullptr;
    TfmReplace *FReplace = nullptr;
};
