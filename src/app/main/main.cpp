#include "base/HeapTuning.h"
#include "common/EditorStyle.h"
#include "device/DriverInstall.h"
#include "main/fmuMain.h"
#include "release/CrashReport.h"
#include "settings/SettingsManager.h"
#include "translations/Language.h"

#include <QApplication>

// RavlinApp [FILE...]: the editor, opening each file given. The switches
// "install" and "uninstall" (after "-", "/" or "\") install or remove the
// keyboard filter driver instead and end without a window.
int main(int argc, char **argv)
{
    TuneHeap();
    // The driver switches end without a window: carried out before the
    // window system is touched, they need no display.
    if (const std::optional<int> status = RunDriverSwitches(argc, argv))
        return *status;

    QApplication application(argc, argv);
    // The display name defaults to this; setting it too would append it to
    // every window title.
    QApplication::setApplicationName(QStringLiteral("Ravlin"));
    QGuiApplication::setDesktopFileName(QStringLiteral(RAVLIN_APP_ID)); // the id Wayland matches to our entry
    InstallEditorStyle();
    // The language is taken before the crash report's texts and the first
    // window: a change in the settings shows at the next start.
    InstallTranslations(application, TSettingsManager(QApplication::applicationFilePath()).Language());
    const QString crashReport = CrashReport::DefaultFileName();
    CrashReport::Install(crashReport);
    const QStringList arguments = QApplication::arguments();

    TKeyboardManagerOptions options;
    options.ProgramPath = QApplication::applicationFilePath();
    TfmMain window(options);
    window.show();
    window.PostStartRequests();
    CrashReport::PostOffer(window, crashReport);
    window.OpenFiles(arguments.mid(1));
    return QApplication::exec();
}
