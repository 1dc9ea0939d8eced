#include "device/HidBackend.h"

#include "base/Error.h"
#include "device/HidReportDescriptor.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

#include <hidapi/hidapi.h>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// Product and manufacturer strings are taken to at most this many
// characters, as the Windows query buffers hold.
constexpr qsizetype kMaxStringLength = 254;

// The kernel's limit for a HID report descriptor.
constexpr qint64 kMaxDescriptorSize = 4096;

QString FromWide(const wchar_t *text)
{
    if (!text)
        return {};
    return QString::fromWCharArray(text).left(kMaxStringLength);
}

// The report lengths of a hidraw node from the descriptor the kernel shows in
// sysfs; zero lengths when it cannot be read.
THidCaps ReadCaps(const QString &path)
{
    THidCaps caps;
#ifdef Q_OS_LINUX
    QFile file(
        QStringLiteral("/sys/class/hidraw/%1/device/report_descriptor").arg(QFileInfo(path).fileName()));
    if (!file.open(QIODevice::ReadOnly))
        return caps;
    const THidReportDescriptor descriptor(file.read(kMaxDescriptorSize));
    caps.InputReportByteLength = descriptor.InputReportByteLength();
    caps.OutputReportByteLength = descriptor.OutputReportByteLength();
#else
    Q_UNUSED(path);
#endif
    return caps;
}

// Why hid_open_path failed. hidapi does not keep errno, so the node is
// opened once more the same way to learn it.
THidOpenFailure OpenFailure(const QByteArray &path)
{
#ifdef Q_OS_LINUX
    const int handle = ::open(path.constData(), O_RDWR | O_CLOEXEC);
    if (handle >= 0) {
        ::close(handle);
        return THidOpenFailure::Failed;
    }
    if (errno == EACCES || errno == EPERM)
        return THidOpenFailure::AccessDenied;
#else
    Q_UNUSED(path);
#endif
    return THidOpenFailure::Failed;
}

class THidApiConnection : public THidConnection {
public:
    explicit THidApiConnection(hid_device *device) : FDevice(device) {}
    ~THidApiConnection() override { hid_close(FDevice); }
    THidApiConnection(const THidApiConnection &) = delete;
    THidApiConnection &operator=(const THidApiConnection &) = delete;

    int Write(const QByteArray &data) override
    {
        const int written = hid_write(FDevice, reinterpret_cast<const unsigned char *>(data.constData()),
                                      size_t(data.size()));
        if (written < 0)
            throw EError(
                ErrorText(QCoreApplication::translate("HidApiBackend", "Ошибка записи данных в устройство")));
        return written;
    }

    QByteArray Read(int maxBytes, int timeoutMs) override
    {
        QByteArray data(qMax(maxBytes, 0), Qt::Uninitialized);
        const int count = hid_read_timeout(FDevice, reinterpret_cast<unsigned char *>(data.data()),
                                           size_t(data.size()), timeoutMs);
        if (count < 0)
            throw EError(ErrorText(
                QCoreApplication::translate("HidApiBackend", "Ошибка чтения данных из устройства")));
        data.truncate(count);
        return data;
    }

private:
    // The system's text of the last failure, or fallback when hidapi has none.
    QString ErrorText(const QString &fallback) const
    {
        const QString text = FromWide(hid_error(FDevice));
        return text.isEmpty() ? fallback : text;
    }

    hid_device *FDevice;
};

class THidApiBackend : public THidBackend {
public:
    THidApiBackend() : FAvailable(hid_init() == 0) {}

    std::vector<THidDeviceRecord> Enumerate() override
    {
        std::vector<THidDeviceRecord> records;
        if (!FAvailable)
            return records;
        hid_device_info *list = hid_enumerate(0, 0);
        for (const hid_device_info *info = list; info; info = info->next) {
            THidDeviceRecord record;
            record.Path = QString::fromLocal8Bit(info->path);
            record.Attributes.VendorID = info->vendor_id;
            record.Attributes.ProductID = info->product_id;
            record.Attributes.VersionNumber = info->release_number;
            record.Product = FromWide(info->product_string);
            record.Manufacturer = FromWide(info->manufacturer_string);
            record.Caps = ReadCaps(record.Path);
            records.push_back(std::move(record));
        }
        hid_free_enumeration(list);
        return records;
    }

    std::unique_ptr<THidConnection> Open(const QString &path, THidOpenFailure &failure) override
    {
        failure = THidOpenFailure::Failed;
        if (!FAvailable)
            return nullptr;
        const QByteArray localPath = path.toLocal8Bit();
        hid_device *device = hid_open_path(localPath.constData());
        if (!device) {
            failure = OpenFailure(localPath);
            return nullptr;
        }
        failure = THidOpenFailure::None;
        return std::make_unique<THidApiConnection>(device);
    }

private:
    bool FAvailable;
};

} // namespace

std::shared_ptr<THidBackend> CreateHidApiBackend()
{
    // hidapi keeps global state that hid_exit would tear down under any other
    // user, so every port shares one backend and it is never shut down.
    static const std::shared_ptr<THidBackend> backend = std::make_shared<THidApiBackend>();
    return backend;
}
