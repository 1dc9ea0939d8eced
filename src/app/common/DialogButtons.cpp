#include "common/DialogButtons.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

QDialogButtonBox *OkCancelButtons(QDialog &dialog)
{
    auto *buttons = new QDialogButtonBox(&dialog);
    QPushButton *ok =
        buttons->addButton(QCoreApplication::translate("DialogButtons", "OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    buttons->addButton(QCoreApplication::translate("DialogButtons", "Отмена"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("btnCancel"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}
