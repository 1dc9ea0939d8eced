#include "help/HelpCommands.h"

#include "base/Error.h"
#include "common/ActionRegistry.h"
#include "device/KeyboardManager.h"
#include "help/fmuDevices.h"
#include "settings/SettingsManager.h"
#include "translations/Language.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QWidget>

THelpCommands::THelpCommands(TKeyboardManager &manager, QWidget &window)
    : QObject(&window), FManager(manager), FWindow(window)
{
    actHelpContents = TActionRegistry::MakeCommand(u"actHelpContents", this, window, [this] { ShowHelp(); });
    actHelpDevices = TActionRegistry::MakeCommand(u"miDevices", this, window, [this] { ShowSupportedDevices(); });
}

QString THelpCommands::HelpFileName(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(LanguageInUse() == TLanguage::English ? QStringLiteral("Справка/en/index.html")
                                                                           : QStringLiteral("Справка/index.html"));
}

void THelpCommands::ShowHelp()
{
    OpenManual(FManager.DataFolder());
}

void THelpCommands::OpenManual(const QString &dataFolder, const QString &section)
{
    const QString fileName = HelpFileName(dataFolder);
    if (!QFileInfo(fileName).isFile())
        throw EError(tr("Не найден файл справки %1.").arg(QDir::toNativeSeparators(fileName)));
    QUrl url = QUrl::fromLocalFile(fileName);
    if (!section.isEmpty())
        url.setFragment(section);
    if (!QDesktopServices::openUrl(url))
        throw EError(tr("Не удалось открыть файл справки %1.").arg(QDir::toNativeSeparators(fileName)));
}

void THelpCommands::ShowSupportedDevices()
{
    TfmDevices::ShowSupportedDevices(FManager.Keyboards(), FManager.Settings().KeyboardID(),
                                     FManager.Settings().Font(), &FWindow);
}
