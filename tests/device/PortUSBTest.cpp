#include "PortTestSupport.h"

#include "device/HidDevices.h"
#include "device/PortUSB.h"

#include <deque>
#include <gtest/gtest.h>

namespace {

// One HID device of the fake backend and what was done to it.
struct TFakeHidDevice {
    THidDeviceRecord Record;
    THidOpenFailure OpenFailure = THidOpenFailure::None;
    /// Bytes each write reports as written, in turn; -1 fails the write. With
    /// none left, a write takes everything.
    std::deque<int> WriteCounts;
    /// The reports reads return, in turn; an empty one, or none left, is a
    /// read that times out.
    std::deque<QByteArray> Reads;

    std::vector<QByteArray> Written;
    std::vector<std::pair<int, int>> ReadCalls;
    int Opens = 0;
    int OpenConnections = 0;
};

class TFakeConnection : public THidConnection {
public:
    explicit TFakeConnection(std::shared_ptr<TFakeHidDevice> device) : FDevice(std::move(device))
    {
        ++FDevice->OpenConnections;
    }
    ~TFakeConnection() override { --FDevice->OpenConnections; }

    int Write(const QByteArray &data) override
    {
        FDevice->Written.push_back(data);
        if (FDevice->WriteCounts.empty())
            return int(data.size());
        const int count = FDevice->WriteCounts.front();
        FDevice->WriteCounts.pop_front();
        if (count < 0)
            throw EError(QStringLiteral("Устройство отключено"));
        return count;
    }

    QByteArray Read(int maxBytes, int timeoutMs) override
    {
        FDevice->ReadCalls.emplace_back(maxBytes, timeoutMs);
        if (FDevice->Reads.empty())
            return {};
        const QByteArray report = FDevice->Reads.front();
        FDevice->Reads.pop_front();
        return report.left(maxBytes);
    }

private:
    std::shared_ptr<TFakeHidDevice> FDevice;
};

// HID services over a list of fake devices that a test plugs and unplugs.
class TFakeHidBackend : public THidBackend {
public:
    TFakeHidDevice &Plug(const QString &path, const QString &product, uint16_t vendor, uint16_t productID)
    {
        auto device = std::make_shared<TFakeHidDevice>();
        device->Record.Path = path;
        device->Record.Product = product;
        device->Record.Manufacturer = QStringLiteral("Завод");
        device->Record.Attributes.VendorID = vendor;
        device->Record.Attributes.ProductID = productID;
        device->Record.Attributes.VersionNumber = 0x0100;
        device->Record.Caps = {9, 65};
        FDevices.push_back(device);
        return *device;
    }

    void Unplug(const QString &path)
    {
        std::erase_if(FDevices, [&](const auto &device) { return device->Record.Path == path; });
    }

    std::vector<THidDeviceRecord> Enumerate() override
    {
        std::vector<THidDeviceRecord> records;
        for (const auto &device : FDevices)
            records.push_back(device->Record);
        return records;
    }

    std::unique_ptr<THidConnection> Open(const QString &path, THidOpenFailure &failure) override
    {
        for (const auto &device : FDevices) {
            if (device->Record.Path != path)
                continue;
            failure = device->OpenFailure;
            if (failure != THidOpenFailure::None)
                return nullptr;
            ++device->Opens;
            return std::make_unique<TFakeConnection>(device);
        }
        failure = THidOpenFailure::Failed;
        return nullptr;
    }

private:
    std::vector<std::shared_ptr<TFakeHidDevice>> FDevices;
};

const QString kKeyboard =
    QStringLiteral("Клавиатура QV, Завод, VID: 1A2B, PID: 4660, Version: 256, Input: 9, Output: 65");

class PortUSBTest : public testing::Test {
protected:
    PortUSBTest()
    {
        FBackend->Plug(QStringLiteral("/dev/hidraw0"), QStringLiteral("Мышь"), 0x00AB, 1);
        FKeyboard =
            &FBackend->Plug(QStringLiteral("/dev/hidraw3"), QStringLiteral("Клавиатура QV"), 0x1A2B, 0x1234);
    }

    // Returns a port with the keyboard selected.
    std::unique_ptr<TPortUSB> SelectedPort()
    {
        auto port = std::make_unique<TPortUSB>(nullptr, FBackend);
        EXPECT_TRUE(port->HasDevice(kKeyboard));
        return port;
    }

    std::shared_ptr<TFakeHidBackend> FBackend = std::make_shared<TFakeHidBackend>();
    TFakeHidDevice *FKeyboard;
    const QByteArray FFrame = QByteArray::fromHex("02019F9E");
};

} // namespace

TEST_F(PortUSBTest, ListsEveryDeviceByDescription)
{
    TCustomPorts ports;
    TPortUSB port(&ports, FBackend);
    EXPECT_EQ(ports.Count(), 1);
    ASSERT_EQ(port.Devices().Count(), 2) << "the devices are enumerated at construction";
    EXPECT_EQ(port.Devices().Item(1).Path(), u"/dev/hidraw3");
    EXPECT_EQ(port.Devices().Item(1).Owner(), &port.Devices());

    TDeviceList devices{{QStringLiteral("PS/2 клавиатура"), nullptr}};
    port.GetDevices(devices);
    ASSERT_EQ(devices.size(), 3u);
    EXPECT_EQ(devices[1].Name, u"Мышь, Завод, VID: AB, PID: 1, Version: 256, Input: 9, Output: 65");
    EXPECT_EQ(devices[1].Port, &port);
    EXPECT_EQ(devices[2].Name, kKeyboard);
    EXPECT_EQ(port.GetVersion(), u"недоступна");

    EXPECT_EQ(port.Devices().FindByDescription(kKeyboard), &port.Devices().Item(1));
    EXPECT_EQ(port.Devices().FindByDescription(kKeyboard.left(20)), nullptr);

    // Placeholders in a product name stay text.
    FBackend->Plug(QStringLiteral("/dev/hidraw5"), QStringLiteral("%1 %2"), 0xFFFF, 65535);
    port.Refresh();
    ASSERT_EQ(port.Devices().Count(), 3);
    EXPECT_EQ(port.Devices().Item(2).Description(),
              u"%1 %2, Завод, VID: FFFF, PID: 65535, Version: 256, Input: 9, Output: 65");
}

TEST_F(PortUSBTest, SelectsByDescriptionAndForgetsUnpluggedDevices)
{
    TPortUSB port(nullptr, FBackend);
    EXPECT_EQ(port.Device(), nullptr);
    EXPECT_TRUE(port.HasDevice(kKeyboard));
    ASSERT_NE(port.Device(), nullptr);
    EXPECT_EQ(port.Device()->Path(), u"/dev/hidraw3");

    port.Refresh();
    EXPECT_EQ(port.Device(), nullptr) << "enumerating again forgets the selection";

    FBackend->Unplug(QStringLiteral("/dev/hidraw3"));
    EXPECT_FALSE(port.HasDevice(kKeyboard));
    EXPECT_EQ(port.Device(), nullptr);
    EXPECT_EQ(port.Devices().Count(), 1);
    QByteArray answer;
    EXPECT_EQ(ErrorOf([&] { port.Transfer(FFrame, answer, 3); }), u"Device = nil!");
    EXPECT_EQ(ErrorOf([&] { port.Transfer({}, answer, 3); }), u"Device = nil!");
}

TEST_F(PortUSBTest, TransferWritesBehindTheReportIDAndKeepsTheDeviceOpen)
{
    auto port = SelectedPort();
    FKeyboard->Reads = {QByteArray::fromHex("000203000000"), QByteArray::fromHex("0002")};
    QByteArray answer = "kept";
    port->Transfer({}, answer, 3);
    EXPECT_EQ(answer, "kept");
    EXPECT_TRUE(FKeyboard->Written.empty()) << "an empty frame does nothing";

    port->Transfer(FFrame, answer, 3);
    EXPECT_EQ(answer, QByteArray::fromHex("000203000000")) << "the report ID byte stays in the answer";
    ASSERT_EQ(FKeyboard->Written.size(), 1u);
    EXPECT_EQ(FKeyboard->Written[0], QByteArray::fromHex("0002019F9E"));
    ASSERT_EQ(FKeyboard->ReadCalls.size(), 1u);
    EXPECT_EQ(FKeyboard->ReadCalls[0], std::make_pair(259, kHidReadTimeoutMs));

    port->Transfer(FFrame, answer, 3);
    EXPECT_EQ(answer, QByteArray::fromHex("0002"));
    EXPECT_EQ(FKeyboard->Opens, 1);
    EXPECT_TRUE(port->Device()->IsOpen());

    port->Refresh();
    EXPECT_EQ(FKeyboard->OpenConnections, 0) << "enumerating again frees the devices and their handles";
}

TEST_F(PortUSBTest, AttemptErrorsReachTheCallerOnlyFromTheLastAttempt)
{
    auto port = SelectedPort();
    QByteArray answer = "kept";

    FKeyboard->WriteCounts = {3};
    EXPECT_EQ(ErrorOf([&] { port->Transfer(FFrame, answer, 1); }),
              u"Ошибка записи данных в файл.\r\nЗапрос на запись: 5. Записано: 3");
    EXPECT_EQ(ErrorOf([&] { port->Transfer(FFrame, answer, 2); }), u"Нет связи")
        << "a keyboard that never answers times out";
    EXPECT_EQ(FKeyboard->ReadCalls.size(), 2u);
    FKeyboard->WriteCounts = {-1};
    EXPECT_EQ(ErrorOf([&] { port->Transfer(FFrame, answer, 1); }), u"Устройство отключено");
    EXPECT_EQ(answer, "kept");

    FKeyboard->Written.clear();
    FKeyboard->WriteCounts = {2, -1};
    FKeyboard->Reads = {QByteArray::fromHex("00020300")};
    port->Transfer(FFrame, answer, 3);
    EXPECT_EQ(answer, QByteArray::fromHex("00020300"));
    EXPECT_EQ(FKeyboard->Written.size(), 3u);
}

TEST_F(PortUSBTest, OpenFailuresNameTheDevice)
{
    auto port = SelectedPort();
    QByteArray answer;

    FKeyboard->OpenFailure = THidOpenFailure::Failed;
    EXPECT_EQ(ErrorOf([&] { port->Transfer(FFrame, answer, 3); }),
              u"Невозможно открыть устройство Клавиатура QV");
    EXPECT_TRUE(FKeyboard->Written.empty()) << "an open failure uses no attempts";

    FKeyboard->OpenFailure = THidOpenFailure::AccessDenied;
    const QString denied =
        QStringLiteral("Нет доступа к устройству /dev/hidraw3 (idVendor 1a2b, idProduct 1234). "
                       "Разрешите доступ к нему правилом udev, как описано в справке "
                       "(раздел «USB: доступ к hidraw»).");
    EXPECT_EQ(ErrorOf([&] { port->Transfer(FFrame, answer, 3); }), denied);
    THidDevice &device = *port->Device();
    EXPECT_EQ(ErrorOf([&] { device.Write(FFrame); }), denied);
    EXPECT_EQ(ErrorOf([&] { device.Read(259); }), denied);
    EXPECT_FALSE(device.IsOpen());

    FKeyboard->OpenFailure = THidOpenFailure::None;
    FKeyboard->Reads = {QByteArray("\0ok", 3)};
    device.Write(FFrame);
    EXPECT_EQ(device.Read(259), QByteArray("\0ok", 3));
    device.Close();
    EXPECT_EQ(FKeyboard->OpenConnections, 0);
}

TEST(PortUSBHidApi, MachineWithoutDevicesListsNothingAndRaisesNothing)
{
    // These machines have no HID devices; elsewhere the listing still has to
    // match the enumeration.
    TPortUSB port(nullptr, nullptr);
    TDeviceList devices;
    port.GetDevices(devices);
    EXPECT_EQ(int(devices.size()), port.Devices().Count());
    EXPECT_FALSE(port.HasDevice(QStringLiteral("PS/2 клавиатура")));
    EXPECT_EQ(port.Device(), nullptr);
}
