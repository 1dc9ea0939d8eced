#include "device/PortUSB.h"

#include "base/Error.h"
#include "device/DriverSocket.h"

#include <algorithm>

TPortUSB::TPortUSB(TCustomPorts *owner, std::shared_ptr<THidBackend> backend)
    : TCustomPort(owner), FDevices(backend ? std::move(backend) : CreateHidApiBackend())
{
    FDevices.Scan();
}

TPortUSB::~TPortUSB() = default;

void TPortUSB::Refresh()
{
    FDevice = nullptr;
    FDevices.Scan();
}

void TPortUSB::GetDevices(TDeviceList &devices)
{
    for (int i = 0; i < FDevices.Count(); ++i)
        devices.push_back({FDevices.Item(i).Description(), this});
}

bool TPortUSB::HasDevice(const QString &name)
{
    Refresh();
    FDevice = FDevices.FindByDescription(name);
    return FDevice != nullptr;
}

void TPortUSB::Transfer(const QByteArray &frame, QByteArray &answer, int attempts)
{
    if (!FDevice)
        throw EError(QStringLiteral("Device = nil!"));
    if (frame.isEmpty())
        return;
    FDevice->Open();
    // At least one attempt, so that a call never returns without an answer.
    const int count = std::max(attempts, 1);
    for (int attempt = 1; attempt <= count; ++attempt) {
        try {
            FDevice->Write(frame);
            answer = FDevice->Read(int(kTransferCapacity));
            return;
        } catch (const EError &) {
            if (attempt == count)
                throw;
        }
    }
}
