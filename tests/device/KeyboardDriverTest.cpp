#include "DriverTestPort.h"

#include "base/HexText.h"
#include "device/KeyboardDriver.h"
#include "device/PortPS2.h"
#include "device/PortUSB.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

namespace {

const QString kTestDevice = QStringLiteral("Тестовая клавиатура");

QByteArray Hex(const char *text)
{
    return HexToBytes(QString::fromLatin1(text));
}

QByteArray Status(uint8_t raw)
{
    return AnswerFrame(0, QByteArray(1, char(raw)));
}

// Returns the message of the error that action raises, or "" when it raises
// none.
template <typename F> QString ErrorOf(F action)
{
    try {
        action();
    } catch (const EError &error) {
        return error.Message();
    }
    return {};
}

// A driver whose PS/2 socket leads nowhere and whose USB port sees no
// device, with the scripted port joined to its list and selected.
class KeyboardDriverTest : public testing::Test {
protected:
    TPortOptions Options() const
    {
        return {Dir.filePath(QStringLiteral("no-driver")), std::make_shared<TNoHidBackend>()};
    }
    void SetUp() override { Driver.SelectDevice(kTestDevice); }
    // Returns the request data of the frames sent from the index on.
    std::vector<QByteArray> Requests(size_t from = 0) const
    {
        std::vector<QByteArray> result;
        for (size_t i = from; i < Port.Frames.size(); ++i)
            result.push_back(Port.Frames[i].mid(2, Port.Frames[i].size() - 3));
        return result;
    }

    QTemporaryDir Dir;
    TKeyboardDriver Driver{Options()};
    TDriverTestPort Port{&Driver.Ports(), kTestDevice};
};

TEST_F(KeyboardDriverTest, FramesRequestsAndKeepsTheExchange)
{
    const QByteArray answer = Status(0x21);
    Port.Answer(answer);
    EXPECT_EQ(Driver.SendCommand(Hex("9F")), Hex("21"));
    EXPECT_EQ(Port.Frames.back(), Hex("02 01 9F 9E"));
    EXPECT_EQ(Port.LastAttempts, 3);
    EXPECT_EQ(Driver.LastRequest(), Hex("9F"));
    EXPECT_EQ(Driver.LastAnswer(), answer);

    const QByteArray longest(255, char(0x5A));
    Port.Answer(AnswerFrame(0, {}));
    EXPECT_TRUE(Driver.SendCommand(longest).isEmpty());
    const QByteArray &frame = Port.Frames.back();
    ASSERT_EQ(frame.size(), 258);
    EXPECT_EQ(uint8_t(frame[1]), 0xFF);
    EXPECT_EQ(uint8_t(frame[257]), 0xFF ^ 0x5A);

    EXPECT_EQ(ErrorOf([&] { Driver.SendCommand(QByteArray(256, 0)); }),
              QStringLiteral("Длина данных кадра не может превышать 255 байт."));
    EXPECT_EQ(Port.Frames.size(), 2u);
}

TEST_F(KeyboardDriverTest, ChecksAnswerLengthThenErrorByteThenChecksum)
{
    Port.Answer(Hex("02 02 00 04"));
    EXPECT_EQ(ErrorOf([&] { Driver.SendCommand(Hex("9F")); }), QStringLiteral("Неверная длина кадра."));
    EXPECT_EQ(Driver.LastAnswer(), Hex("02 02 00 04"));

    Port.Answer(Hex("02 02 00 04 00"));
    EXPECT_EQ(ErrorOf([&] { Driver.SendCommand(Hex("9E")); }),
              QStringLiteral("Ошибка устройства: 4, 04h\r\nНеверное значение параметра команды"));

    Port.Answer(AnswerFrame(0x73, {}));
    EXPECT_EQ(ErrorOf([&] { Driver.SendCommand(Hex("9C 00 00")); }),
              QStringLiteral("Ошибка устройства: 115, 73h\r\nКлавиатура находится в неверном режиме"));
    Port.Answer(AnswerFrame(0xAB, {}));
    EXPECT_EQ(ErrorOf([&] { Driver.SendCommand(Hex("9F")); }),
              QStringLiteral("Ошибка устройства: 171, ABh\r\nНеизвестная ошибка устройства"));

    QByteArray corrupt = AnswerFrame(0, Hex("01 02"));
    corrupt[corrupt.size() - 1] = char(corrupt.back() ^ 0x40);
    Port.Answer(corrupt);
    EXPECT_EQ(ErrorOf([&] { Driver.SendCommand(Hex("9D 10 00 02")); }), QStringLiteral("Ошибка CRC"));
    EXPECT_EQ(Driver.LastRequest(), Hex("9D 10 00 02"));
    EXPECT_EQ(Driver.LastAnswer(), corrupt);

    // Bytes 0 to 2 are not examined; only the checksum over bytes 1 on is.
    QByteArray odd = Hex("77 10 33 00 AA");
    odd.append(char(XorSum(odd, 1, odd.size())));
    Port.Answer(odd);
    EXPECT_EQ(Driver.SendCommand(Hex("9F")), Hex("AA"));
}

TEST_F(KeyboardDriverTest, DecodesInformationAndStatus)
{
    Port.Answer(AnswerFrame(0, Hex("02 0A 00 80 05 04 05 08")));
    TDeviceInfo info;
    Driver.GetInfo(info);
    EXPECT_EQ(Port.Frames.back(), Hex("02 01 9E 9F"));
    EXPECT_EQ(info.Version, QStringLiteral("2.10"));
    EXPECT_EQ(info.MemorySize, 0x8000);
    EXPECT_EQ(info.DeviceType, 5);
    EXPECT_EQ(info.LayerCount, 4);
    EXPECT_TRUE(info.Track1);
    EXPECT_FALSE(info.Track2);
    EXPECT_TRUE(info.Track3);
    EXPECT_EQ(info.KeyPositions, 8);
    EXPECT_EQ(info.KeyCount, 0);

    Port.Answer(AnswerFrame(0, Hex("02 0A 00 80 05 04 05 08 3C")));
    Driver.GetInfo(info);
    EXPECT_EQ(info.KeyCount, 60);

    Port.Answer(AnswerFrame(0, Hex("02 0A 00 80 05 04 05")));
    EXPECT_EQ(ErrorOf([&] { Driver.GetInfo(info); }), QStringLiteral("Неверная длина кадра."));

    Port.Answer(Status(0x33));
    const TDeviceStatus status = Driver.GetStatus();
    EXPECT_TRUE(status.ProgramValid && status.LoaderMode && status.ProgramMemory && status.LayoutValid);
    Port.Answer(AnswerFrame(0, {}));
    EXPECT_EQ(ErrorOf([&] { Driver.GetStatus(); }), QStringLiteral("Неверная длина кадра."));
}

TEST_F(KeyboardDriverTest, ReadsAndWritesMemory)
{
    Port.Answer(AnswerFrame(0, Hex("34 12")));
    EXPECT_EQ(Driver.ReadWord(0x0102), 0x1234);
    EXPECT_EQ(Requests().back(), Hex("9D 02 01 02"));

    Port.Answer(AnswerFrame(0, QByteArray(127, 0)));
    QByteArray data;
    EXPECT_EQ(
        ErrorOf([&] { Driver.ReadMemory(0x8000, 128, data); }),
        QStringLiteral("Устройство вернуло неверное количество данных.\r\nЗапрошено: 128, получено: 127."));
    EXPECT_EQ(Requests().back(), Hex("9D 00 80 80"));
    Port.Answer(AnswerFrame(0, Hex("01")));
    EXPECT_EQ(ErrorOf([&] { Driver.ReadWord(0); }),
              QStringLiteral("Устройство вернуло неверное количество данных.\r\nЗапрошено: 2, получено: 1."));

    // A long block is cut to 256 bytes, a short one padded.
    QByteArray block(300, 0);
    for (int i = 0; i < block.size(); ++i)
        block[i] = char(i);
    for (int i = 0; i < 4; ++i)
        Port.Answer(AnswerFrame(0, {}));
    Driver.WriteBlock(0x0100, block);
    Driver.WriteBlock(0xFF80, Hex("AA BB"));
    const auto requests = Requests(3);
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[0], Hex("9C 00 01") + block.mid(0, 128));
    EXPECT_EQ(requests[1], Hex("9C 80 01") + block.mid(128, 128));
    EXPECT_EQ(requests[2], Hex("9C 80 FF AA BB") + QByteArray(126, 0));
    EXPECT_EQ(requests[3], Hex("9C 00 00") + QByteArray(128, 0));
}

TEST_F(KeyboardDriverTest, PlaysAtMost84Notes)
{
    const QByteArray notes(84 * 3, char(0x11));
    Port.Answer(AnswerFrame(0, {}));
    Driver.PlayNotes(notes);
    EXPECT_EQ(Requests().back(), Hex("A0") + notes);

    EXPECT_EQ(ErrorOf([&] { Driver.PlayNotes(QByteArray(85 * 3, 0)); }),
              QStringLiteral("Количество нот не может превышать 84."));
    EXPECT_EQ(Port.Frames.size(), 1u);
}

TEST_F(KeyboardDriverTest, ChecksTheKeyMatrix)
{
    const auto loader = [](uint8_t major, uint8_t minor) {
        TDeviceInfo info;
        info.Major = major;
        info.Minor = minor;
        return TKeyboardDriver::HasMatrixCheck(info);
    };
    EXPECT_TRUE(loader(2, 6));
    EXPECT_TRUE(loader(2, 9));
    EXPECT_FALSE(loader(2, 5));
    EXPECT_FALSE(loader(3, 0));

    Port.Answer(AnswerFrame(0, {}));
    Port.Answer(AnswerFrame(0, Hex("00 00 00 FF")));
    EXPECT_FALSE(Driver.HasMatrixClosures());
    EXPECT_EQ(Requests(), (std::vector<QByteArray>{Hex("9F 02"), Hex("A1")}));

    Port.Answer(AnswerFrame(0, {}));
    Port.Answer(AnswerFrame(0, Hex("00 00 04")));
    EXPECT_TRUE(Driver.HasMatrixClosures());

    Port.Answer(AnswerFrame(0, {}));
    Port.Answer(AnswerFrame(0, Hex("00 01")));
    EXPECT_EQ(ErrorOf([&] { Driver.ReadMatrixState(); }), QStringLiteral("Неверная длина кадра."));
}

TEST_F(KeyboardDriverTest, SetModeInTheWantedModeSendsNoModeCommand)
{
    Port.Answer(Status(0x03));
    Port.Answer(AnswerFrame(0, Hex("02 06 00 80 05 04 07 08")));
    TDeviceInfo info;
    Driver.GetLoaderInfo(info);
    EXPECT_EQ(Requests(), (std::vector<QByteArray>{Hex("9F"), Hex("9E")}));
    EXPECT_EQ(info.Version, QStringLiteral("2.6"));

    Port.Answer(Status(0x21));
    Port.Answer(Status(0x21));
    EXPECT_TRUE(Driver.GetWorkStatus().LayoutValid);
    EXPECT_EQ(Requests(2), (std::vector<QByteArray>{Hex("9F"), Hex("9F")}));
}

TEST_F(KeyboardDriverTest, HandshakeWaitsUntilTheKeyboardReportsTheMode)
{
    // The keyboard keeps reporting working mode for two reads, then stops
    // answering while it restarts, reports itself broken once, and comes up
    // in loader mode for program memory.
    Port.Answer(Status(0x01));
    Port.Answer(AnswerFrame(0, {}));
    Port.Answer(Status(0x01));
    Port.Answer(AnswerFrame(0, {}));
    Port.Fail(QStringLiteral("Нет связи"));
    Port.Answer(Status(0x00));
    Port.Answer(Status(0x13));
    QElapsedTimer timer;
    timer.start();
    Driver.SetMode(true, true);
    EXPECT_GE(timer.elapsed(), 1000);
    EXPECT_EQ(Requests(), (std::vector<QByteArray>{Hex("9F"), Hex("9F 12"), Hex("9F"), Hex("9F 12"),
                                                   Hex("9F"), Hex("9F"), Hex("9F")}));
}

TEST_F(KeyboardDriverTest, HandshakeFailsAtOnceBeforeAnyModeCommand)
{
    Port.Answer(Status(0x00));
    EXPECT_EQ(
        ErrorOf([&] { Driver.SetMode(false, false); }),
        QStringLiteral("Программа клавиатуры повреждена.\r\nНеобходимо записать программу в клавиатуру.\r\n"
                       "Сделать это можно из меню \"Устройство\\Запись программы\""));
    EXPECT_EQ(Port.Frames.size(), 1u);

    Port.Answer(AnswerFrame(0x08, {}));
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(ErrorOf([&] { Driver.SetMode(true, false); }),
              QStringLiteral("Ошибка устройства: 8, 08h\r\nКоманда не поддерживается устройством"));
    EXPECT_LT(timer.elapsed(), 400);
}

TEST_F(KeyboardDriverTest, HandshakeGivesUpAfterThreeSeconds)
{
    Port.Answer(Status(0x01));
    Port.Answer(AnswerFrame(0, {}));
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(ErrorOf([&] { Driver.SetMode(true, false); }), QStringLiteral("Нет связи"));
    EXPECT_GT(timer.elapsed(), 3000);
    EXPECT_LT(timer.elapsed(), 4500);
}

TEST(KeyboardDriverPortsTest, CreatesPS2ThenUSBAndSelectsPS2)
{
    QTemporaryDir dir;
    TKeyboardDriver driver({dir.filePath(QStringLiteral("no-driver")), std::make_shared<TNoHidBackend>()});
    ASSERT_EQ(driver.Ports().Count(), 2);
    auto *ps2 = dynamic_cast<TPortPS2 *>(&driver.Ports().Item(0));
    ASSERT_NE(ps2, nullptr);
    EXPECT_EQ(ps2->SocketPath(), dir.filePath(QStringLiteral("no-driver")));
    EXPECT_NE(dynamic_cast<TPortUSB *>(&driver.Ports().Item(1)), nullptr);
    EXPECT_EQ(driver.Port(), ps2);
    EXPECT_TRUE(driver.DeviceName().isEmpty());
    EXPECT_EQ(ErrorOf([&] { driver.GetStatus(); }),
              QStringLiteral("Драйвер для доступа к клавиатуре не установлен"));
}

TEST_F(KeyboardDriverTest, SelectsDevicesByName)
{
    EXPECT_EQ(Driver.Port(), &Port);
    EXPECT_EQ(Driver.DeviceName(), kTestDevice);
    EXPECT_EQ(Driver.GetDriverVersion(), QStringLiteral("9.8.7.6"));

    TDeviceList devices{{QStringLiteral("старый"), nullptr}};
    Driver.GetDevices(devices);
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0].Name, QStringLiteral("PS/2 клавиатура"));
    EXPECT_EQ(devices[0].Port, &Driver.Ports().Item(0));
    EXPECT_EQ(devices[1].Name, kTestDevice);
    EXPECT_EQ(devices[1].Port, &Port);

    EXPECT_EQ(ErrorOf([&] { Driver.SetDeviceName(QStringLiteral("Нет такой")); }),
              QStringLiteral("Устройство Нет такой не найдено."));
    EXPECT_EQ(Driver.Port(), &Port);
    // The name in use is not looked up again.
    Port.Listed = false;
    EXPECT_TRUE(ErrorOf([&] { Driver.SetDeviceName(kTestDevice); }).isEmpty());

    // A device that is gone falls back to the first device listed.
    Driver.Refresh();
    EXPECT_EQ(Driver.Port(), &Driver.Ports().Item(0));
    EXPECT_EQ(Driver.DeviceName(), QStringLiteral("PS/2 клавиатура"));
    Port.Listed = true;
    Driver.SetDeviceName(kTestDevice);
    EXPECT_EQ(Driver.Port(), &Port);
}

TEST_F(KeyboardDriverTest, SelectionWithoutPortsOrDevices)
{
    // The scripted port first, the USB port (no devices) last.
    TCustomPort &ps2 = Driver.Ports().Item(0);
    TCustomPort &usb = Driver.Ports().Item(1);
    ps2.SetOwner(nullptr);
    usb.SetOwner(nullptr);
    usb.SetOwner(&Driver.Ports());
    Port.Listed = false;
    EXPECT_EQ(ErrorOf([&] { Driver.SelectDevice(kTestDevice); }), QStringLiteral("Нет доступных устройств"));
    EXPECT_EQ(Driver.Port(), &usb);
    EXPECT_EQ(Driver.DeviceName(), kTestDevice);

    Port.Listed = true;
    Driver.SelectDevice(kTestDevice);
    Port.Listed = false;
    Driver.TrySelectDevice(QStringLiteral("PS/2 клавиатура"));
    EXPECT_EQ(Driver.Port(), &usb);
    EXPECT_EQ(Driver.DeviceName(), kTestDevice);

    Port.SetOwner(nullptr);
    usb.SetOwner(nullptr);
    EXPECT_EQ(ErrorOf([&] { Driver.SelectDevice(kTestDevice); }), QStringLiteral("Нет доступных портов"));
    Driver.TrySelectDevice(QStringLiteral("PS/2 клавиатура"));
    EXPECT_EQ(Driver.Port(), &usb);
    EXPECT_EQ(Driver.DeviceName(), kTestDevice);
}

TEST_F(KeyboardDriverTest, AnswersOfAnyShapeEndInAMessage)
{
    std::mt19937 random(20240611);
    const auto byte = [&] { return char(random() & 0xFF); };
    const std::vector<QByteArray> valid{Status(0x21), AnswerFrame(0, Hex("02 0A 00 80 05 04 07 08 3C")),
                                        AnswerFrame(0, QByteArray(128, 0x55)),
                                        AnswerFrame(0, Hex("00 00 01"))};
    int accepted = 0;
    int refused = 0;
    Port.Handler = [&](const QByteArray &) {
        QByteArray answer = valid[random() % valid.size()];
        switch (random() % 3) {
        case 0:
            answer.truncate(qsizetype(random() % (answer.size() + 1)));
            break;
        case 1:
            for (int i = int(random() % 4); i >= 0 && !answer.isEmpty(); --i)
                answer[random() % answer.size()] = byte();
            break;
        default:
            answer.resize(qsizetype(random() % 300));
            for (char &c : answer)
                c = byte();
        }
        return answer;
    };
    const std::vector<std::function<void()>> commands{
        [&] { Driver.GetStatus(); },
        [&] {
            TDeviceInfo info;
            Driver.GetInfo(info);
        },
        [&] {
            QByteArray data;
            Driver.ReadMemory(0, 128, data);
        },
        [&] { Driver.ReadWord(2); },
        [&] { Driver.HasMatrixClosures(); },
        [&] { Driver.WriteBlock(0, QByteArray(256, 0)); },
        [&] { Driver.PlayNotes(Hex("30 10 05")); },
    };
    for (int i = 0; i < 5000; ++i) {
        if (ErrorOf(commands[random() % commands.size()]).isEmpty())
            ++accepted;
        else
            ++refused;
    }
    EXPECT_GT(accepted, 0);
    EXPECT_GT(refused, 0);
}

} // namespace
