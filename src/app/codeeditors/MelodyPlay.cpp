#include "codeeditors/MelodyPlay.h"

#include "common/CommandGuard.h"
#include "device/KeyboardManager.h"

#include <QAbstractButton>
#include <QWidget>

void PlayMelodyFromButton(TKeyboardManager &manager, QAbstractButton &button, const QString &text)
{
    button.setEnabled(false);
    CommandGuard::RunCommand(button.window(), [&] { manager.PlayMelody(text); });
    button.setEnabled(true);
    // An error message took the activation; the button's window gets it back.
    button.window()->activateWindow();
    button.setFocus();
}
