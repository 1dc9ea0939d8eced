#include "wizard/fmuWizardStep1.h"

#include "base/Error.h"
#include "catalogue/Keyboards.h"
#include "device/KeyboardDriver.h"
#include "device/KeyboardManager.h"
#include "dialogs/ModelList.h"
#include "settings/SettingsManager.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// What a user can do without a detected keyboard, and how the program
// reaches one on this system.
QString WithoutKeyboardHint()
{
    return TfmWizardStep1::tr(
        "Выберите модель из списка. Как программа находит клавиатуру PS/2 (сокет драйвера) "
        "и USB-клавиатуру (правило udev), сказано в справке, F1.");
}

// The device's message as one line that continues a sentence.
QString ContinuingLine(const QString &message)
{
    QString line = message.trimmed();
    line.replace(QLatin1Char('\n'), QStringLiteral(": "));
    while (line.endsWith(QLatin1Char('.')))
        line.chop(1);
    // "Нет связи" continues as "нет связи"; "USB ..." stays as it is.
    if (line.size() > 1 && line[0].isUpper() && line[1].isLower())
        line[0] = line[0].toLower();
    return line;
}

} // namespace

TfmWizardStep1::TfmWizardStep1(TPages &pages) : TPage(pages, tr("Выбор модели клавиатуры"))
{
    setObjectName(QStringLiteral("fmWizardStep1"));
    auto *text = new QLabel(tr("Укажите модель клавиатуры, для которой вы хотите создать раскладку"), this);
    text->setWordWrap(true);
    rbDetect = new QRadioButton(tr("Определить модель автоматически"), this);
    rbDetect->setObjectName(QStringLiteral("rbDetect"));
    rbDetect->setChecked(true);
    rbList = new QRadioButton(tr("Выбрать модель из списка"), this);
    rbList->setObjectName(QStringLiteral("rbList"));
    lbModels = new QListWidget(this);
    lbModels->setObjectName(QStringLiteral("lbModels"));
    lbModels->setEnabled(false);
    lbModels->installEventFilter(this);
    connect(rbList, &QRadioButton::toggled, lbModels, &QWidget::setEnabled);
    connect(lbModels, &QListWidget::itemDoubleClicked, this, &TPage::action);
    lblProblem = new QLabel(this);
    lblProblem->setObjectName(QStringLiteral("lblProblem"));
    lblProblem->setWordWrap(true);
    lblProblem->setTextFormat(Qt::PlainText);
    lblProblem->hide();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addSpacing(6);
    layout->addWidget(rbDetect);
    layout->addWidget(rbList);
    auto *list = new QHBoxLayout;
    list->addSpacing(20);
    list->addWidget(lbModels);
    layout->addLayout(list, 1);
    layout->addWidget(lblProblem);
}

void TfmWizardStep1::Enter()
{
    FillModelList(*lbModels, Pages().Manager().Keyboards());
    SelectModelItem(*lbModels, Pages().Manager().Settings().KeyboardID());
    lbModels->setFocus();
    if (FEntered)
        return;
    FEntered = true;
    const QString reason = Pages().Manager().Driver().UnreachableReason();
    if (!reason.isEmpty())
        ShowProblem(tr("Клавиатура не найдена: %1.").arg(reason));
}

void TfmWizardStep1::ShowProblem(const QString &why)
{
    lblProblem->setText(why + QLatin1Char('\n') + WithoutKeyboardHint());
    lblProblem->show();
    rbList->setChecked(true);
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
    uint8_t model = 0;
    try {
        model = ReadDeviceType(Pages().Manager());
    } catch (const EError &error) {
        ShowProblem(tr("Модель не определена: %1.").arg(ContinuingLine(error.Message())));
        throw EAbort();
    }
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
