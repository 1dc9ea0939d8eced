#include "wizard/fmuWizardStep3.h"

#include "catalogue/Keyboards.h"

#include <QLabel>
#include <QVBoxLayout>

TfmWizardStep3::TfmWizardStep3(TPages &pages) : TPage(pages, tr("Раскладка создана"))
{
    setObjectName(QStringLiteral("fmWizardStep3"));
    lblResult = new QLabel(this);
    lblResult->setObjectName(QStringLiteral("lblResult"));
    lblResult->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblResult);
    layout->addStretch();
}

void TfmWizardStep3::Enter()
{
    if (Pages().HasKeyboard()) {
        SetTitle(tr("Раскладка создана"));
        lblResult->setText(
            tr("Раскладка для клавиатуры модели %1 была успешно создана").arg(Pages().Keyboard().ClassName));
    } else if (Pages().DetectedModel >= 0) {
        SetTitle(tr("Модель клавиатуры не найдена"));
        lblResult->setText(tr("Подключенная клавиатура сообщила код модели %1, но в списке моделей нет "
                              "клавиатуры с таким кодом. Вернитесь назад и выберите модель из списка.")
                               .arg(Pages().DetectedModel));
    } else {
        SetTitle(tr("Модель клавиатуры не выбрана"));
        lblResult->setText(tr("Модель клавиатуры не выбрана. Вернитесь назад и выберите модель из "
                              "списка."));
    }
}
