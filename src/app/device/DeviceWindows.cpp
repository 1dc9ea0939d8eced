#include "device/DeviceWindows.h"

#include "common/CommandGuard.h"
#include "device/DriverInstall.h"
#include "device/KeyboardManager.h"
#include "device/fmuInfo.h"
#include "device/fmuTest.h"
#include "settings/SettingsManager.h"

#include <QAction>
#include <QWidget>

TDeviceWindows::TDeviceWindows(TKeyboardManager &manager, QWidget &window)
    : QObject(&window), FManager(manager), FWindow(window)
{
    actDeviceReadInfo = AddAction(QStringLiteral("actDeviceReadInfo"),
                                  QStringLiteral("Информация об устройстве"), [this] { ShowDeviceInfo(); });
    actDeviceReadInfo->setShortcut(Qt::Key_F3);
    actDeviceReadInfo->setIconText(QStringLiteral("Информация"));
    actDeviceTest = AddAction(QStringLiteral("actDeviceTest"), QStringLiteral("Тест клавиатуры..."),
                              [this] { ShowKeyTest(); });
    actDeviceTest->setShortcut(Qt::Key_F2);
    actDeviceTest->setIconText(QStringLiteral("Тест"));
    actInstallDriver =
        AddAction(QStringLiteral("miInstallDrv"), QStringLiteral("Установить драйвер клавиатуры"),
                  [this] { InstallDriver(); });
    actUninstallDriver =
        AddAction(QStringLiteral("miUninstallDrv"), QStringLiteral("Удалить драйвер клавиатуры"),
                  [this] { UninstallDriver(); });
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

QAction *TDeviceWindows::AddAction(const QString &name, const QString &caption,
                                   const std::function<void()> &command)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(name);
    action->setToolTip(caption);
    connect(action, &QAction::triggered, this,
            [this, command] { CommandGuard::RunCommand(&FWindow, command); });
    return action;
}
