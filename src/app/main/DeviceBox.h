#pragma once

#include <QObject>

class QComboBox;
class QToolBar;
class QToolButton;
class TKeyboardManager;

/// The toolbar "USB устройство": the label "Устройство:", the list of device
/// names of the keyboard manager's ports with the current one selected
/// (enabled only with more than one name), and a button that rescans the
/// ports. Choosing a name makes it the device.
class TDeviceBox : public QObject {
    Q_OBJECT

public:
    TDeviceBox(TKeyboardManager &manager, QToolBar &toolbar);

    /// Lists the device names again and selects the current one.
    void Fill();
    QComboBox *Box() const { return FBox; }

private:
    void Choose(int index);
    void Refresh();

    TKeyboardManager &FManager;
    QToolBar &FToolbar;
    QComboBox *FBox;
    QToolButton *FRefresh;
    bool FFilling = false;
};
