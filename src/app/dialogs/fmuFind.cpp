#include "dialogs/fmuFind.h"

#include "dialogs/HistoryComboBox.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfmFind::TfmFind(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fmFind"));
    setWindowTitle(tr("Поиск"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    cbFind = new THistoryComboBox(this);
    cbFind->setObjectName(QStringLiteral("cbFind"));
    auto *fields = new QFormLayout;
    fields->addRow(tr("Найти:"), cbFind);

    auto *buttons = new QDialogButtonBox(this);
    btnFind = buttons->addButton(tr("Найти"), QDialogButtonBox::AcceptRole);
    btnFind->setObjectName(QStringLiteral("btnFind"));
    btnFind->setDefault(true);
    btnCancel = buttons->addButton(tr("Отмена"), QDialogButtonBox::RejectRole);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TfmFind::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TfmFind::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString TfmFind::FindText() const
{
    return cbFind->currentText();
}

QStringList TfmFind::History() const
{
    return cbFind->History();
}

void TfmFind::accept()
{
    cbFind->Remember();
    QDialog::accept();
}

void TfmFind::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    cbFind->setFocus();
    cbFind->lineEdit()->selectAll();
}
