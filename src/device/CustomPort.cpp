#include "device/CustomPort.h"

#include <QCoreApplication>
#include <algorithm>

TCustomPort::TCustomPort(TCustomPorts *owner)
{
    SetOwner(owner);
}

TCustomPort::~TCustomPort()
{
    SetOwner(nullptr);
}

void TCustomPort::SetOwner(TCustomPorts *owner)
{
    if (owner == FOwner)
        return;
    if (FOwner)
        std::erase(FOwner->FItems, this);
    FOwner = owner;
    if (FOwner)
        FOwner->FItems.push_back(this);
}

void TCustomPort::Refresh() {}

void TCustomPort::GetDevices(TDeviceList &) {}

QString TCustomPort::GetVersion()
{
    return QCoreApplication::translate("TCustomPort", "недоступна");
}

bool TCustomPort::HasDevice(const QString &)
{
    return false;
}

TCustomPorts::~TCustomPorts()
{
    for (TCustomPort *port : FItems)
        port->FOwner = nullptr;
}
