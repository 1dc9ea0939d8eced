#pragma once

#include "device/ManagerPrompts.h"

class QWidget;

/// The keyboard manager's questions as the editor asks them: message boxes
/// with the caption "Внимание" and a warning icon, and the file-open dialog.
class TDialogPrompts : public TManagerPrompts {
public:
    /// parent owns the message boxes and dialogs; it may be set later.
    explicit TDialogPrompts(QWidget *parent = nullptr) : FParent(parent) {}
    void SetParent(QWidget *parent) { FParent = parent; }

    bool Ask(const QString &text) override;
    void Warn(const QString &text) override;
    QString ChooseFile(const QString &filter, const QString &proposedName, const QString &folder) override;

private:
    QWidget *FParent;
};
