#pragma once

#include <QString>

class QAbstractButton;
class TKeyboardManager;

/// Plays a melody given in its text form on the keyboard's buzzer for a play
/// button: the button is disabled while the keyboard plays, then enabled and
/// focused again, also when playing fails; the failure is shown by the one
/// error display.
void PlayMelodyFromButton(TKeyboardManager &manager, QAbstractButton &button, const QString &text);
