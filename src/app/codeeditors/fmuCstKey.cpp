#include "codeeditors/fmuCstKey.h"

#include "base/HexText.h"
#include "common/BaseForm.h"
#include "common/DialogButtons.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfmCstKey::TfmCstKey(const TFont &font, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fmCstKey"));
    setWindowTitle(tr("Новая клавиша"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(TBaseForm::FormFont(font));

    edCode = new QLineEdit(QStringLiteral("0"), this);
    edCode->setObjectName(QStringLiteral("edCode"));
    auto *fields = new QFormLayout;
    fields->addRow(tr("Код, hex:"), edCode);

    QDialogButtonBox *buttons = OkCancelButtons(*this);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QByteArray TfmCstKey::Bytes() const
{
    return HexToBytes(edCode->text());
}

void TfmCstKey::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    edCode->setFocus();
    edCode->selectAll();
}
