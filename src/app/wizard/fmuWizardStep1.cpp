#include "wizard/fmuWizardStep1.h"

#include "catalogue/Keyboards.h"
#include "device/KeyboardManager.h"
#include "dialogs/ModelList.h"
#include "settings/SettingsManager.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

TfmWizardStep1::TfmWizardStep1(TPages &pages) : TPage(pages, QStringLiteral("Выбор модели клавиатуры"))
{
    setObjectName(QStringLiteral("fmWizardStep1"));
    auto *text = new QLabel(
        QStringLiteral("Укажите модель клавиатуры, для которой вы хотите создать раскладку"), this);
    text->setWordWrap(true);
    rbDetect = new QRadioButton(QStringLiteral("Определить модель автоматически"), this);
    rbDetect->setObjectName(QStringLiteral("rbDetect"));
    rbDetect->setChecked(true);
    rbList = new QRadioButton(QStringLiteral("Выбрать модель из списка"), this);
    rbList->setObjectName(QStringLiteral("rbList"));
    lbModels = new QListWidget(this);
    lbModels->setObjectName(QStringLiteral("lbModels"));
    lbModels->setEnabled(false);
    lbModels->installEventFilter(this);
    connect(rbList, &QRadioButton::toggled, lbModels, &QWidget::setEnabled);
    connect(lbModels, &QListWidget::itemDoubleClicked, this, &TPage::action);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addSpacing(6);
    layout->addWidget(rbDetect);
    layout->addWidget(rbList);
    auto *list = new QHBoxLayout;
    list->addSpacing(20);
    list->addWidget(lbModels);
    layout->addLayout(list, 1);
}

void TfmWizardStep1::Enter()
{
    FillModelList(*lbModels, Pages().Manager().Keyboards());
    SelectModelItem(*lbModels, Pages().Manager().Settings().KeyboardID());
    lbModels->setFocus();
}

void TfmWizardStep1::Commit()
{
    if (!rbList->isChecked()) {
        Detect();
        return;
    }
    Pages().DetectedModel = -1;
    Pages().Candidates().Clear();
    const std::optional<int> id = SelectedModelID(*lbModels);
    if (id)
        Pages().Choose(Pages().Manager().Keyboards().ByID(*id));
    else
        Pages().ClearChoice();
}

void TfmWizardStep1::Detect()
{
    const uint8_t model = ReadDeviceType(Pages().Manager());
    Pages().DetectedModel = model;
    Pages().ClearChoice();
    Pages().Manager().Keyboards().SelectModel(model, Pages().Candidates());
    if (Pages().Candidates().Count() == 1)
        Pages().Choose(Pages().Candidates().Item(0));
}

bool TfmWizardStep1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lbModels && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit action();
            return true;
        }
    }
    return TPage::eventFilter(watched, event);
}
