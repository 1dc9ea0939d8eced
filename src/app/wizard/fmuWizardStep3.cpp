#include "wizard/fmuWizardStep3.h"

#include "catalogue/Keyboards.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

const QString kCreatedTitle = QStringLiteral("Раскладка создана");

} // namespace

TfmWizardStep3::TfmWizardStep3(TPages &pages) : TPage(pages, kCreatedTitle)
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
        SetTitle(kCreatedTitle);
        lblResult->setText(QStringLiteral("Раскладка для клавиатуры модели %1 была успешно создана")
                               .arg(Pages().Keyboard().ClassName));
    } else if (Pages().DetectedModel >= 0) {
        SetTitle(QStringLiteral("Модель клавиатуры не найдена"));
        lblResult->setText(
            QStringLiteral("Подключенная клавиатура сообщила код модели %1, но в списке моделей нет "
                           "клавиатуры с таким кодом. Вернитесь назад и выберите модель из списка.")
                .arg(Pages().DetectedModel));
    } else {
        SetTitle(QStringLiteral("Модель клавиатуры не выбрана"));
        lblResult->setText(
            QStringLiteral("Модель клавиатуры не выбрана. Вернитесь назад и выберите модель из "
                           "списка."));
    }
}
