#pragma once

class QDialog;
class QDialogButtonBox;

/// Returns the button row of a dialog that is closed with "OK" (object name
/// "btnOK", the default button) or "Отмена" ("btnCancel"), connected to the
/// dialog's accept and reject. Further buttons may be added to the box.
QDialogButtonBox *OkCancelButtons(QDialog &dialog);
