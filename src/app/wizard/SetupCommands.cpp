#include "wizard/SetupCommands.h"

#include "document/DocumentWindows.h"
#include "catalogue/Keyboards.h"
#include "common/CommandGuard.h"
#include "device/KeyboardManager.h"
#include "dialogs/AppSettings.h"
#include "dialogs/fmuProps.h"
#include "dialogs/fmuSettings.h"
#include "document/LayoutDocument.h"
#include "document/fmuDoc.h"
#include "settings/SettingsManager.h"
#include "wizard/fmuWizardMain.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

TSetupCommands::TSetupCommands(TKeyboardManager &manager, QWidget &window)
    : TDocumentFollower(&window), FManager(manager), FWindow(window)
{
    actFileWizard = AddAction(QStringLiteral("actFileWizard"), QStringLiteral("Создать при помощи мастера"),
                              QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_N), [this] { NewWithWizard(); });
    actSettings = AddAction(QStringLiteral("actSettings"), QStringLiteral("Настройки приложения..."), {},
                            [this] { EditSettings(); });
    actLayoutProperties =
        AddAction(QStringLiteral("actLayoutProperties"), QStringLiteral("Свойства раскладки"),
                  QKeySequence(Qt::Key_F11), [this] { EditLayoutProperties(ActiveOrFail().Document()); });
    actLayoutProperties->setIconText(QStringLiteral("Раскладка"));
}

QAction *TSetupCommands::AddAction(const QString &name, const QString &text, const QKeySequence &keys,
                                   const std::function<void()> &command)
{
    auto *action = new QAction(text, this);
    action->setObjectName(name);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this,
            [this, command] { CommandGuard::RunCommand(&FWindow, command); });
    return action;
}

TfmDoc *TSetupCommands::NewWithWizard()
{
    TKeyboard keyboard;
    if (!RunLayoutWizard(FManager, keyboard, &FWindow))
        return nullptr;
    TfmDoc *document = Documents().Create();
    try {
        document->Document().StartNew(keyboard.ID);
    } catch (...) {
        delete document;
        throw;
    }
    Documents().Show(document);
    return document;
}

void TSetupCommands::EditSettings()
{
    TfmSettings dialog(FManager, ReadAppSettings(FManager), &FWindow);
    dialog.OnApply = [this](const TAppSettings &values) { ApplyAppSettings(FManager, values); };
    dialog.exec();
    emit settingsClosed();
}

void TSetupCommands::EditLayoutProperties(TLayoutDocument &document)
{
    TfmProps dialog(FManager, document.Layout().KeyboardID(), &FWindow);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::optional<int> keyboardId = dialog.KeyboardID();
    if (keyboardId && *keyboardId != document.Layout().KeyboardID())
        document.ChangeKeyboard(*keyboardId);
}

void TSetupCommands::DocumentCreated(TfmDoc &document)
{
    connect(&document, &TfmDoc::layoutPropertiesRequested, this, [this, &document] {
        CommandGuard::RunCommand(&FWindow, [&] { EditLayoutProperties(document.Document()); });
    });
}

void TSetupCommands::PostFirstRun()
{
    TSettingsManager &settings = FManager.Settings();
    if (!settings.FirstRun())
        return;
    settings.SetFirstRun(false);
    QMetaObject::invokeMethod(
        this, [this] { actFileWizard->trigger(); }, Qt::QueuedConnection);
}
