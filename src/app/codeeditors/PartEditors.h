#pragma once

#include <QString>
#include <functional>

class QWidget;
class TNotes;
class TScanCodes;

/// The code and melody editors that the card reader and key lock dialogs
/// open from their "..." buttons. Either may be empty: its buttons and menu
/// items are then disabled, and the fields take the text form typed directly.
struct TPartEditors {
    /// Edits codes in a key code dialog mode (0 presses, 1 releases, 2 both);
    /// returns whether the user confirmed, codes then holding the result.
    std::function<bool(QWidget &parent, TScanCodes &codes, int mode)> EditCodes;
    /// Edits a melody, starting from the text of the melody field; returns
    /// whether the user confirmed, melody then holding the result.
    std::function<bool(QWidget &parent, TNotes &melody, const QString &text)> EditMelody;
};
