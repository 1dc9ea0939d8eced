#pragma once

#include "document/DocumentFollower.h"

class QAction;
class QWidget;
class TMessageLink;
class TKeyboardManager;
class TLayout;

/// "Сравнить с файлом..." and "Сравнить с клавиатурой": the differences of a
/// layout file's or the keyboard's layout from the active document's, one
/// line each in the message window (a double click there selects the key),
/// the keys that differ framed in the grid until the next edit. Reading the
/// keyboard for a comparison never writes to it.
class TCompareCommands : public TDocumentFollower {
    Q_OBJECT

public:
    TCompareCommands(TKeyboardManager &manager, TMessageLink &messages, QWidget &window);

    /// Enables the commands while there is a document to compare.
    void SetEnabled(bool enabled);

    void CompareWithFile();
    void CompareWithKeyboard();

private:
    void ShowDifferences(TfmDoc &document, const TLayout &other);

    TKeyboardManager &FManager;
    TMessageLink &FMessages;
    QWidget &FWindow;
    QAction *FWithFile;
    QAction *FWithKeyboard;
};
