#include "dialogs/fmuReplace.h"

#include "dialogs/HistoryComboBox.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfmReplace::TfmReplace(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fmReplace"));
    setWindowTitle(tr("Поиск с заменой"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    cbFind = new THistoryComboBox(this);
    cbFind->setObjectName(QStringLiteral("cbFind"));
    cbReplace = new THistoryComboBox(this);
    cbReplace->setObjectName(QStringLiteral("cbReplace"));
    auto *fields = new QFormLayout;
    fields->addRow(tr("Найти:"), cbFind);
    fields->addRow(tr("Заменить на:"), cbReplace);

    auto *buttons = new QDialogButtonBox(this);
    btnReplaceAll = buttons->addButton(tr("Заменить все"), QDialogButtonBox::AcceptRole);
    btnReplaceAll->setObjectName(QStringLiteral("btnReplaceAll"));
    btnReplaceAll->setDefault(true);
    btnCancel = buttons->addButton(tr("Отмена"), QDialogButtonBox::RejectRole);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TfmReplace::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TfmReplace::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString TfmReplace::FindText() const
{
    return cbFind->currentText();
}

QString TfmReplace::ReplaceText() const
{
    return cbReplace->currentText();
}

QStringList TfmReplace::FindHistory() const
{
    return cbFind->History();
}

QStringList TfmReplace::ReplaceHistory() const
{
    return cbReplace->History();
}

void TfmReplace::accept()
{
    cbFind->Remember();
    cbReplace->Remember();
    QDialog::accept();
}

void TfmReplace::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    cbFind->setFocus();
    cbFind->lineEdit()->selectAll();
}
