#include "release/ReleaseCommands.h"

#include "base/ProgramVersion.h"
#include "common/ActionRegistry.h"
#include "common/BaseForm.h"
#include "common/CommandGuard.h"
#include "device/KeyboardDriver.h"
#include "device/KeyboardManager.h"
#include "release/ErrorReport.h"
#include "release/ReleaseInfo.h"
#include "release/fmuAbout.h"
#include "release/fmuUpdates.h"
#include "settings/SettingsManager.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QTimer>

TReleaseCommands::TReleaseCommands(TKeyboardManager &manager, QWidget &window)
    : QObject(&window), FManager(manager), FWindow(window)
{
    actCheckUpdates =
        TActionRegistry::MakeCommand(u"actHelpCheckUpdates", this, window, [this] { CheckUpdates(); });
    actAbout = TActionRegistry::MakeCommand(u"actHelpAbout", this, window, [this] { ShowAbout(); });
    CommandGuard::SetFaultHandler(
        [](QWidget *parent, const std::exception_ptr &error) { return TErrorReport().HandleError(parent, error); });
    TErrorReport::SetAddressSource([this] { return FManager.Settings().ReportAddress(); });
}

TReleaseCommands::~TReleaseCommands()
{
    CommandGuard::SetFaultHandler(nullptr);
    TErrorReport::SetAddressSource(nullptr);
}

TUpdateSource TReleaseCommands::UpdateSource() const
{
    const TSettingsManager &settings = FManager.Settings();
    // The version file is named after the program file, as the settings
    // file is.
    return {settings.UpdateServer(), settings.DownloadPage(),
            QFileInfo(settings.ProgramFileName()).completeBaseName()};
}

TfmUpdates &TReleaseCommands::Updates()
{
    if (!FUpdates)
        FUpdates = new TfmUpdates(TBaseForm::FormFont(FManager.Settings().Font()), UpdateSource(), &FWindow);
    return *FUpdates;
}

void TReleaseCommands::CheckUpdates()
{
    Updates().SetSource(UpdateSource());
    Updates().CheckForUpdates(kUpdatePath, false);
}

void TReleaseCommands::PostStartCheck()
{
    if (!FManager.Settings().CheckUpdateOnLoad())
        return;
    QTimer::singleShot(0, this, [this] {
        Updates().SetSource(UpdateSource());
        Updates().CheckForUpdates(kUpdatePath, true);
    });
}

QStringList TReleaseCommands::AboutLines() const
{
    QString driver;
    try {
        driver = FManager.Driver().GetDriverVersion();
    } catch (const EError &) {
        driver = tr("недоступна");
    }
    return {tr("Версия программы : %1").arg(ProgramVersion()), tr("Версия драйвера  : %1").arg(driver)};
}

void TReleaseCommands::ShowAbout()
{
    QWidget *owner = QApplication::activeWindow() ? QApplication::activeWindow() : &FWindow;
    TfmAbout about({QApplication::applicationDisplayName(), AboutLines(), ReleaseInfo::LicenseName(),
                    ReleaseInfo::WebPage()},
                   FWindow.font(), owner);
    connect(&about, &TfmAbout::checkUpdatesRequested, this, &TReleaseCommands::CheckUpdates);
    about.exec();
}
