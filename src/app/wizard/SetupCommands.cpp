#include "wizard/SetupCommands.h"

#include "document/DocumentWindows.h"
#include "catalogue/Keyboards.h"
#include "common/ActionRegistry.h"
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
#include <QWidget>

TSetupCommands::TSetupCommands(TKeyboardManager &manager, QWidget &window)
    : TDocumentFollower(&window), FManager(manager), FWindow(window)
{
    actFileWizard = TActionRegistry::MakeCommand(u"actFileWizard", this, window, [this] { NewWithWizard(); });
    actSettings = TActionRegistry::MakeCommand(u"actSettings", this, window, [this] { EditSettings(); });
    actLayoutProperties = TActionRegistry::MakeCommand(
        u"actLayoutProperties", this, window, [this] { EditLayoutProperties(ActiveOrFail().Document()); });
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

void TSetupCommands::PostFirstRun()
{
    TSettingsManager &settings = FManager.Settings();
    if (!settings.FirstRun())
        return;
    settings.SetFirstRun(false);
    QMetaObject::invokeMethod(
        this, [this] { actFileWizard->trigger(); }, Qt::QueuedConnection);
}
