#pragma once

#include "device/CustomPort.h"
#include "device/HidDevices.h"

#include <memory>

/// The port to keyboards attached by USB as HID devices. Every HID device
/// present is listed by its description; the user picks the keyboard.
class TPortUSB : public TCustomPort {
public:
    /// Creates the port as a member of owner and enumerates the devices at
    /// once; a null backend means hidapi.
    TPortUSB(TCustomPorts *owner, std::shared_ptr<THidBackend> backend);
    ~TPortUSB() override;

    /// Returns the selected device, or null; it belongs to Devices.
    THidDevice *Device() const { return FDevice; }
    THidDevices &Devices() { return FDevices; }

    /// Forgets the selected device and enumerates the devices again.
    void Refresh() override;
    /// Appends the description of every device, in list order.
    void GetDevices(TDeviceList &devices) override;
    /// Enumerates again and selects the first device whose description is
    /// name; returns whether there is one (none selected otherwise).
    bool HasDevice(const QString &name) override;
    /// Writes frame behind the report ID and reads the answer report, up to
    /// attempts times. Raises "Device = nil!" without a selected device and
    /// the open error before any attempt; an attempt's error reaches the
    /// caller only from the last attempt.
    void Transfer(const QByteArray &frame, QByteArray &answer, int attempts) override;

private:
    THidDevice *FDevice = nullptr;
    THidDevices FDevices;
};
