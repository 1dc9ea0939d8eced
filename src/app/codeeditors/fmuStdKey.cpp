#include "codeeditors/fmuStdKey.h"

#include "codes/CodeSet.h"
#include "common/BaseForm.h"
#include "common/DialogButtons.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TfmStdKey::TfmStdKey(const TCodeSet &codeSet, const TFont &font, QWidget *parent)
    : QDialog(parent), FCodeSet(codeSet)
{
    setObjectName(QStringLiteral("fmStdKey"));
    setWindowTitle(tr("Редактор клавиш"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(TBaseForm::FormFont(font));

    lbGroups = new QListWidget(this);
    lbGroups->setObjectName(QStringLiteral("lbGroups"));
    lbKeys = new QListWidget(this);
    lbKeys->setObjectName(QStringLiteral("lbKeys"));
    auto *lists = new QGridLayout;
    lists->addWidget(new QLabel(tr("Набор символов:"), this), 0, 0);
    lists->addWidget(new QLabel(tr("Клавиша:"), this), 0, 1);
    lists->addWidget(lbGroups, 1, 0);
    lists->addWidget(lbKeys, 1, 1);

    QDialogButtonBox *buttons = OkCancelButtons(*this);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addWidget(buttons);
    resize(420, 360);

    for (int k = 0; k < FCodeSet.Count(); ++k)
        lbGroups->addItem(FCodeSet.Item(k).Name);
    connect(lbGroups, &QListWidget::currentRowChanged, this, &TfmStdKey::FillKeys);
    connect(lbKeys, &QListWidget::itemDoubleClicked, this, &TfmStdKey::accept);
    if (lbGroups->count() > 0)
        lbGroups->setCurrentRow(0);
}

void TfmStdKey::FillKeys(int group)
{
    lbKeys->clear();
    if (group < 0 || group >= FCodeSet.Count())
        return;
    const TCodeTable &table = FCodeSet.Item(group);
    for (int k = 0; k < table.Count(); ++k)
        lbKeys->addItem(table.Item(k).Name);
    if (lbKeys->count() > 0)
        lbKeys->setCurrentRow(0);
}

const TStdCode *TfmStdKey::Picked() const
{
    const int group = lbGroups->currentRow();
    const int key = lbKeys->currentRow();
    if (group < 0 || group >= FCodeSet.Count() || key < 0 || key >= FCodeSet.Item(group).Count())
        return nullptr;
    return &FCodeSet.Item(group).Item(key);
}

TScanCode TfmStdKey::CodeOf(const TStdCode &key, bool release)
{
    TScanCode code;
    code.Name = key.Name;
    code.ScanCode = key.ScanCode;
    code.CodeType = release ? ctBreak : ctMake;
    code.SetData(release ? key.BreakCode : key.MakeCode);
    return code;
}
