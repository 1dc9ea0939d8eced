#include "main/DeviceBox.h"

#include "common/CommandGuard.h"
#include "device/KeyboardManager.h"
#include "common/ToolbarIcons.h"

#include <QComboBox>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>

TDeviceBox::TDeviceBox(TKeyboardManager &manager, QToolBar &toolbar)
    : QObject(&toolbar), FManager(manager), FToolbar(toolbar)
{
    auto *label = new QLabel(tr("Устройство:"), &toolbar);
    label->setContentsMargins(4, 0, 4, 0);
    toolbar.addWidget(label);
    FBox = new QComboBox(&toolbar);
    FBox->setObjectName(QStringLiteral("cbDevice"));
    FBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    FBox->setMinimumContentsLength(16);
    toolbar.addWidget(FBox);
    FRefresh = new QToolButton(&toolbar);
    FRefresh->setObjectName(QStringLiteral("btnRefreshDevices"));
    FRefresh->setToolTip(tr("Обновить список устройств"));
    FRefresh->setIcon(ToolbarIcon(QStringLiteral("refresh")));
    toolbar.addWidget(FRefresh);
    connect(FBox, &QComboBox::activated, this, &TDeviceBox::Choose);
    connect(FRefresh, &QToolButton::clicked, this, &TDeviceBox::Refresh);
}

void TDeviceBox::Fill()
{
    FFilling = true;
    TDeviceList devices;
    FManager.GetDevices(devices);
    FBox->clear();
    for (const TDeviceEntry &device : devices)
        FBox->addItem(device.Shown(), device.Name);
    FBox->setCurrentIndex(FBox->findData(FManager.DeviceName()));
    FBox->setEnabled(FBox->count() > 1);
    FFilling = false;
}

void TDeviceBox::Choose(int index)
{
    if (FFilling || index < 0)
        return;
    const QString name = FBox->itemData(index).toString();
    CommandGuard::RunCommand(FToolbar.window(), [&] { FManager.SetDeviceName(name); });
    // A name that is gone shows the device still in use.
    Fill();
}

void TDeviceBox::Refresh()
{
    CommandGuard::RunCommand(FToolbar.window(), [&] {
        FManager.RefreshDevices();
        Fill();
    });
}
