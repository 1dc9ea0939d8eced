#include "keys/MelodyPlay.h"

#include "common/CommandGuard.h"
#include "device/KeyboardManager.h"

#include <QAbstractButton>

void PlayMelodyFromButton(TKeyboardManager &manager, QAbstractButton &button, const QString &text)
{
    button.setEnabled(false);
    CommandGuard::RunCommand(button.window(), [&] { manager.PlayMelody(text); });
    button.setEnabled(true);
    button.setFocus();
}
