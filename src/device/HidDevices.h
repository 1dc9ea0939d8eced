#pragma once

#include "device/HidBackend.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

class THidDevices;

/// How long a read from a HID device waits for the keyboard's answer.
inline constexpr int kHidReadTimeoutMs = 1000;

/// One HID device found by enumeration. It is opened on first use and stays
/// open until it is freed.
class THidDevice {
public:
    /// Creates the device from its record as a member of owner; THidDevices
    /// makes its members this way.
    THidDevice(THidDevices *owner, THidDeviceRecord record);
    /// Closes the device.
    ~THidDevice();
    THidDevice(const THidDevice &) = delete;
    THidDevice &operator=(const THidDevice &) = delete;

    THidDevices *Owner() const { return FOwner; }
    const QString &Path() const { return FRecord.Path; }
    const THidCaps &Caps() const { return FRecord.Caps; }
    const QString &Product() const { return FRecord.Product; }
    const QString &Manufacturer() const { return FRecord.Manufacturer; }
    const THidAttributes &Attributes() const { return FRecord.Attributes; }

    /// Opens the device unless it is open. Raises "Невозможно открыть
    /// устройство %s" with the product name, or, when the user lacks the
    /// permission, a message that names the device node and its IDs.
    void Open();
    void Close();
    bool IsOpen() const { return FConnection != nullptr; }

    /// Opens the device and writes data behind the report ID 00h. Raises the
    /// system's text when the write fails and the short-write message when
    /// fewer bytes were written.
    void Write(const QByteArray &data);
    /// Opens the device and returns one report of at most count bytes, its
    /// report ID byte included. Raises "Нет связи" when nothing arrives
    /// within kHidReadTimeoutMs, the system's text when the read fails.
    QByteArray Read(int count);

    /// Returns the device's name in device lists: product, manufacturer,
    /// IDs, version and report lengths.
    QString Description() const;

private:
    THidDevices *FOwner;
    THidDeviceRecord FRecord;
    std::unique_ptr<THidConnection> FConnection;
};

/// The HID devices present, in enumeration order; owns them.
class THidDevices {
public:
    /// Creates an empty list that enumerates and opens through backend.
    explicit THidDevices(std::shared_ptr<THidBackend> backend);
    ~THidDevices();
    THidDevices(const THidDevices &) = delete;
    THidDevices &operator=(const THidDevices &) = delete;

    THidBackend &Backend() const { return *FBackend; }

    /// Frees every device and enumerates them again; a system without HID
    /// services leaves the list empty without an error.
    void Scan();
    /// Frees every device.
    void Clear();
    int Count() const { return int(FItems.size()); }
    THidDevice &Item(int index) const { return *FItems[size_t(index)]; }
    /// Returns the first device whose description equals text, or null.
    THidDevice *FindByDescription(const QString &text) const;
    /// Returns a new last member made from record.
    THidDevice &Add(const THidDeviceRecord &record);

private:
    std::shared_ptr<THidBackend> FBackend;
    std::vector<std::unique_ptr<THidDevice>> FItems;
};
