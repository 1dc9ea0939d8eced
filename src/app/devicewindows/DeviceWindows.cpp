#include "devicewindows/DeviceWindows.h"

#include "common/ActionRegistry.h"
#include "device/DriverInstall.h"
#include "device/KeyboardManager.h"
#include "devicewindows/fmuInfo.h"
#include "devicewindows/fmuTest.h"
#include "settings/SettingsManager.h"

#include <QAction>
#include <QWidget>

TDeviceWindows::TDeviceWindows(TKeyboardManager &manager, QWidget &window)
    : QObject(&window), FManager(manager), FWindow(window)
{
    actDeviceReadInfo =
        TActionRegistry::MakeCommand(u"actDeviceReadInfo", this, window, [this] { ShowDeviceInfo(); });
    actDeviceTest = TActionRegistry::MakeCommand(u"actDeviceTest", this, window, [this] { ShowKeyTest(); });
    actInstallDriver = TActionRegistry::MakeCommand(u"miInstallDrv", this, window, [this] { InstallDriver(); });
    actUninstallDriver =
        TActionRegistry::MakeCommand(u"miUninstallDrv", this, window, [this] { UninstallDriver(); });
    actInstallDriver->setEnabled(DriverCommandsAvailable());
    actUninstallDriver->setEnabled(DriverCommandsAvailable());
}

bool TDeviceWindows::DriverCommandsAvailable()
{
#ifdef Q_OS_WIN
    return true;
#else
    return false;
#endif
}

void TDeviceWindows::ShowDeviceInfo()
{
    if (!FInfo)
        FInfo = new TfmInfo(FManager.Settings().Font(), &FWindow);
    FInfo->ShowDeviceInfo(FManager);
}

void TDeviceWindows::ShowKeyTest()
{
    if (!FTest)
        FTest = new TfmTest(FManager.Settings().Font(), &FWindow);
    FTest->ShowTest();
}

void TDeviceWindows::InstallDriver()
{
    ::InstallDriver(quintptr(FWindow.winId()));
}

void TDeviceWindows::UninstallDriver()
{
    ::UninstallDriver(quintptr(FWindow.winId()));
}
