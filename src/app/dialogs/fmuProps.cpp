#include "dialogs/fmuProps.h"

#include "catalogue/Keyboards.h"
#include "common/BaseForm.h"
#include "common/CommandGuard.h"
#include "device/KeyboardManager.h"
#include "dialogs/ModelList.h"
#include "settings/SettingsManager.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TfmProps::TfmProps(TKeyboardManager &manager, int keyboardId, QWidget *parent)
    : QDialog(parent), FManager(manager), FKeyboardID(keyboardId)
{
    setObjectName(QStringLiteral("fmProps"));
    setWindowTitle(tr("Свойства раскладки"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(TBaseForm::FormFont(manager.Settings().Font()));

    lbModels = new QListWidget(this);
    lbModels->setObjectName(QStringLiteral("lbModels"));
    FillModelList(*lbModels, manager.Keyboards());
    SelectModelItem(*lbModels, keyboardId);
    auto *label = new QLabel(tr("Модель:"), this);
    label->setBuddy(lbModels);
    connect(lbModels, &QListWidget::itemDoubleClicked, this, &TfmProps::accept);

    auto *buttons = new QDialogButtonBox(this);
    btnOK = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = buttons->addButton(tr("Отмена"), QDialogButtonBox::RejectRole);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnRead = buttons->addButton(tr("Прочитать"), QDialogButtonBox::ActionRole);
    btnRead->setObjectName(QStringLiteral("btnRead"));
    btnRead->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &TfmProps::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TfmProps::reject);
    connect(btnRead, &QPushButton::clicked, this, &TfmProps::btnReadClick);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(lbModels);
    layout->addWidget(buttons);
    resize(320, 300);
}

std::optional<int> TfmProps::KeyboardID() const
{
    return SelectedModelID(*lbModels);
}

void TfmProps::SelectByModelCode(int modelCode)
{
    const TKeyboards &keyboards = FManager.Keyboards();
    const TKeyboard *own = keyboards.FindByID(FKeyboardID);
    const TKeyboard *model = own && own->Model == modelCode ? own : keyboards.FindByModel(modelCode);
    SelectModelItem(*lbModels, model ? std::optional<int>(model->ID) : std::nullopt);
}

void TfmProps::btnReadClick()
{
    // The disabled button gives its focus away (to "Отмена", the next one);
    // the list takes it back, so that Enter confirms the model read.
    btnRead->setEnabled(false);
    CommandGuard::RunCommand(this, [this] { SelectByModelCode(ReadDeviceType(FManager)); });
    btnRead->setEnabled(true);
    lbModels->setFocus();
    btnOK->setDefault(true);
}
