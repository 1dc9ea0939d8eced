#pragma once

#include <QObject>
#include <functional>

class QAction;
class QWidget;
class TfmInfo;
class TfmTest;
class TKeyboardManager;

/// The device windows the main window keeps for the run and their commands:
/// "Информация об устройстве" (F3), "Тест клавиатуры..." (F2) and the two
/// driver commands, which work only on Windows and are disabled elsewhere.
/// The main window puts the actions into its menu and toolbar. The windows are
/// built when first shown, which keeps them out of the editor's start.
class TDeviceWindows : public QObject {
    Q_OBJECT
public:
    /// window is the main window: the parent of the windows and of messages.
    TDeviceWindows(TKeyboardManager &manager, QWidget &window);

    QAction *actDeviceReadInfo;
    QAction *actDeviceTest;
    QAction *actInstallDriver;
    QAction *actUninstallDriver;

    /// Returns whether this system installs the keyboard filter driver.
    static bool DriverCommandsAvailable();

    /// Reads the keyboard and shows its information modally.
    void ShowDeviceInfo();
    /// Shows the key test window, not modal.
    void ShowKeyTest();
    void InstallDriver();
    void UninstallDriver();

private:

    TKeyboardManager &FManager;
    QWidget &FWindow;
    TfmInfo *FInfo = nullptr;
    TfmTest *FTest = nullptr;
};
