#include "help/fmuDevices.h"

#include "catalogue/Keyboards.h"
#include "common/BaseForm.h"
#include "common/CommandGuard.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void AddGroups(const TParamsGroups &groups, const QString &indent, QStringList &lines)
{
    for (int i = 0; i < groups.Count(); ++i) {
        const TParamsGroup &group = groups.Item(i);
        lines << QStringLiteral("%1[%2]").arg(indent, group.Name);
        for (int k = 0; k < group.Params().Count(); ++k) {
            const TKeyboardParam &param = group.Params().Item(k);
            lines << QStringLiteral("%1  %2: %3").arg(indent, param.Name, param.Value);
        }
        AddGroups(group.Groups(), indent + QStringLiteral("  "), lines);
    }
}

} // namespace

TfmDevices::TfmDevices(const TKeyboards &keyboards, int defaultId, const TFont &font, QWidget *parent)
    : QDialog(parent), FKeyboards(keyboards)
{
    setObjectName(QStringLiteral("fmDevices"));
    setWindowTitle(tr("Поддерживаемые устройства"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(TBaseForm::FormFont(font));

    ListBox = new QListWidget(this);
    ListBox->setObjectName(QStringLiteral("ListBox"));
    Memo = new QPlainTextEdit(this);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setReadOnly(true);
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    btnOK = new QPushButton(tr("Закрыть"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &TfmDevices::accept);

    auto *lists = new QHBoxLayout;
    lists->addWidget(ListBox, 2);
    lists->addWidget(Memo, 3);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);
    resize(560, 360);

    // Choosing a model, by mouse or keys, shows its parameters.
    connect(ListBox, &QListWidget::currentItemChanged, this, [this](const QListWidgetItem *item) {
        CommandGuard::RunCommand(this,
                                 [this, item] { ShowModel(item ? item->data(Qt::UserRole).toInt() : 0); });
    });
    btnOK->setEnabled(keyboards.Count() > 0);
    for (int i = 0; i < keyboards.Count(); ++i) {
        const TKeyboard &keyboard = keyboards.Item(i);
        auto *item = new QListWidgetItem(keyboard.Name, ListBox);
        item->setData(Qt::UserRole, keyboard.ID);
    }
    for (int i = 0; i < ListBox->count(); ++i)
        if (ListBox->item(i)->data(Qt::UserRole).toInt() == defaultId) {
            ListBox->setCurrentRow(i);
            break;
        }
    // The list, focused without a current model, would make its first one
    // current and show it.
    if (!ListBox->currentItem())
        btnOK->setFocus();
}

bool TfmDevices::ShowSupportedDevices(const TKeyboards &keyboards, int defaultId, const TFont &font,
                                      QWidget *parent)
{
    TfmDevices window(keyboards, defaultId, font, parent);
    return window.exec() == QDialog::Accepted;
}

QStringList TfmDevices::ParameterLines(const TKeyboard &keyboard)
{
    QStringList lines;
    AddGroups(keyboard.ParamsGroups(), QString(), lines);
    return lines;
}

void TfmDevices::ShowModel(int id)
{
    Memo->clear();
    if (const TKeyboard *keyboard = FKeyboards.FindByID(id))
        Memo->setPlainText(ParameterLines(*keyboard).join(u'\n'));
}
