#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

/// The identity of a HID device, as the device reports it.
struct THidAttributes {
    /// Size of the record as the system query expects it.
    uint32_t Size = 12;
    uint16_t VendorID = 0;
    uint16_t ProductID = 0;
    uint16_t VersionNumber = 0;
};

/// The report lengths of a HID device in bytes, the report ID byte
/// included; 0 when the device has no report of that kind.
struct THidCaps {
    int InputReportByteLength = 0;
    int OutputReportByteLength = 0;
};

/// What enumeration learns of one HID device.
struct THidDeviceRecord {
    /// The path the device is opened by.
    QString Path;
    THidAttributes Attributes;
    THidCaps Caps;
    QString Product;
    QString Manufacturer;
};

/// Why a HID device could not be opened.
enum class THidOpenFailure {
    None,
    /// Any reason but a missing permission.
    Failed,
    /// The user may not open the device node.
    AccessDenied,
};

/// An opened HID device.
class THidConnection {
public:
    virtual ~THidConnection() = default;
    /// Writes one report (its report ID byte first); returns the number of
    /// bytes written. Raises EError with the system's text when the write
    /// fails.
    virtual int Write(const QByteArray &data) = 0;
    /// Returns one report of at most maxBytes bytes, or an empty string when
    /// none arrives within timeoutMs. Raises EError with the system's text
    /// when the read fails.
    virtual QByteArray Read(int maxBytes, int timeoutMs) = 0;
};

/// The HID services the USB port relies on: enumeration and opening.
class THidBackend {
public:
    virtual ~THidBackend() = default;
    /// Returns every HID device present; an empty list when there are none
    /// or the services are not available. Never raises.
    virtual std::vector<THidDeviceRecord> Enumerate() = 0;
    /// Returns the opened device at path, or null with the reason in failure.
    virtual std::unique_ptr<THidConnection> Open(const QString &path, THidOpenFailure &failure) = 0;
};

/// HID services that list no device and open none: for programs and tests
/// that must not reach the machine's HID devices.
class TNoHidBackend : public THidBackend {
public:
    std::vector<THidDeviceRecord> Enumerate() override { return {}; }
    std::unique_ptr<THidConnection> Open(const QString &, THidOpenFailure &failure) override
    {
        failure = THidOpenFailure::Failed;
        return nullptr;
    }
};

/// Returns the HID services of hidapi.
std::shared_ptr<THidBackend> CreateHidApiBackend();
