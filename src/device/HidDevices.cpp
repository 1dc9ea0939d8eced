#include "device/HidDevices.h"

#include "base/Error.h"

#include <QCoreApplication>

THidDevice::THidDevice(THidDevices *owner, THidDeviceRecord record)
    : FOwner(owner), FRecord(std::move(record))
{}

THidDevice::~THidDevice()
{
    Close();
}

void THidDevice::Open()
{
    if (IsOpen())
        return;
    THidOpenFailure failure = THidOpenFailure::None;
    FConnection = FOwner->Backend().Open(FRecord.Path, failure);
    if (FConnection)
        return;
    if (failure == THidOpenFailure::AccessDenied) {
        // The node's IDs in the form a udev rule matches them.
        const QString ids = QStringLiteral("idVendor %1, idProduct %2")
                                .arg(FRecord.Attributes.VendorID, 4, 16, QLatin1Char('0'))
                                .arg(FRecord.Attributes.ProductID, 4, 16, QLatin1Char('0'));
        throw EError(
            QCoreApplication::translate("THidDevice",
                                        "Нет доступа к устройству %1 (%2). Разрешите доступ к нему правилом udev, "
                                        "как описано в справке (раздел «USB: доступ к hidraw»).")
                .arg(FRecord.Path, ids));
    }
    throw EError(
        QCoreApplication::translate("THidDevice", "Невозможно открыть устройство %1").arg(FRecord.Product));
}

void THidDevice::Close()
{
    FConnection.reset();
}

void THidDevice::Write(const QByteArray &data)
{
    Open();
    const QByteArray report = char(0) + data;
    const int written = FConnection->Write(report);
    if (written < report.size())
        throw EError(QCoreApplication::translate(
                         "THidDevice", "Ошибка записи данных в файл.\r\nЗапрос на запись: %1. Записано: %2")
                         .arg(report.size())
                         .arg(written));
}

QByteArray THidDevice::Read(int count)
{
    Open();
    QByteArray data = FConnection->Read(count, kHidReadTimeoutMs);
    // A keyboard that never answers must not freeze the program.
    if (data.isEmpty())
        throw EError(QCoreApplication::translate("THidDevice", "Нет связи"));
    return data;
}

QString THidDevice::Description() const
{
    const THidAttributes &attributes = FRecord.Attributes;
    // One multi-argument call, so that a "%1" in a product name stays text.
    return QStringLiteral("%1, %2, VID: %3, PID: %4, Version: %5, Input: %6, Output: %7")
        .arg(FRecord.Product, FRecord.Manufacturer, QString::number(attributes.VendorID, 16).toUpper(),
             QString::number(attributes.ProductID), QString::number(attributes.VersionNumber),
             QString::number(FRecord.Caps.InputReportByteLength),
             QString::number(FRecord.Caps.OutputReportByteLength));
}

THidDevices::THidDevices(std::shared_ptr<THidBackend> backend) : FBackend(std::move(backend)) {}

THidDevices::~THidDevices() = default;

void THidDevices::Scan()
{
    Clear();
    for (const THidDeviceRecord &record : FBackend->Enumerate())
        Add(record);
}

void THidDevices::Clear()
{
    FItems.clear();
}

THidDevice *THidDevices::FindByDescription(const QString &text) const
{
    for (const auto &device : FItems)
        if (device->Description() == text)
            return device.get();
    return nullptr;
}

THidDevice &THidDevices::Add(const THidDeviceRecord &record)
{
    FItems.push_back(std::make_unique<THidDevice>(this, record));
    return *FItems.back();
}
