#include "device/KeyboardDriver.h"

#include "base/Error.h"
#include "device/PortPS2.h"
#include "device/PortUSB.h"

#include <QElapsedTimer>
#include <QThread>

namespace {

// Attempts the port makes for every exchange.
constexpr int kTransferAttempts = 3;
// The longest request data a frame's length byte can carry.
constexpr int kMaxRequestLength = 255;
// The longest melody the play command takes, in bytes (84 notes).
constexpr int kMaxNoteBytes = 254;
// One memory write carries half a block.
constexpr int kBlockSize = 256;
constexpr int kHalfBlockSize = 128;
// The mode handshake: the pause after a failed exchange once the mode command
// went out (the keyboard does not answer while it switches), and the limit.
constexpr int kModeRetryDelayMs = 500;
constexpr int kModeTimeoutMs = 3000;

[[noreturn]] void RaiseFrameLength()
{
    throw EError(QCoreApplication::translate("TKeyboardDriver", "Неверная длина кадра."));
}

QByteArray Command(uint8_t code)
{
    return QByteArray(1, char(code));
}

void AppendWord(QByteArray &data, uint16_t value)
{
    data.append(char(value & 0xFF));
    data.append(char(value >> 8));
}

} // namespace

TKeyboardDriver::TKeyboardDriver(const TPortOptions &options)
    : FPortPS2(std::make_unique<TPortPS2>(&FPorts, options.DriverSocket, options.DriverTimeoutMs)),
      FPortUSB(std::make_unique<TPortUSB>(&FPorts, options.HidBackend))
{
    FPort = FPortPS2.get();
}

TKeyboardDriver::~TKeyboardDriver() = default;

void TKeyboardDriver::Transfer(const QByteArray &frame, QByteArray &answer)
{
    FPort->Transfer(frame, answer, kTransferAttempts);
}

QString TKeyboardDriver::GetDriverVersion()
{
    return FPort->GetVersion();
}

QByteArray TKeyboardDriver::SendCommand(const QByteArray &request)
{
    if (request.size() > kMaxRequestLength)
        throw EError(tr("Длина данных кадра не может превышать 255 байт."));
    QByteArray answer;
    Transfer(RequestFrame(request), answer);
    // Kept before the checks, so that a failed exchange can be looked at.
    FLastRequest = request;
    FLastAnswer = answer;
    const qsizetype size = answer.size();
    if (size < 5)
        RaiseFrameLength();
    // The error byte comes first: a keyboard that refuses a command may not
    // bother with the checksum.
    const uint8_t error = uint8_t(answer[3]);
    if (error != deNone) {
        const QString hex = QString::number(error, 16).toUpper().rightJustified(2, QLatin1Char('0'));
        throw EError(
            tr("Ошибка устройства: %1, %2h\r\n%3").arg(QString::number(error), hex, DeviceErrorText(error)));
    }
    if (uint8_t(answer[size - 1]) != XorSum(answer, 1, size - 1))
        throw EError(tr("Ошибка CRC"));
    return answer.mid(4, size - 5);
}

void TKeyboardDriver::WriteMemory(uint16_t address, const QByteArray &data)
{
    QByteArray request = Command(kcWriteMemory);
    AppendWord(request, address);
    request.append(data);
    SendCommand(request);
}

void TKeyboardDriver::ReadMemory(uint16_t address, uint16_t count, QByteArray &data)
{
    QByteArray request = Command(kcReadMemory);
    AppendWord(request, address);
    request.append(char(count & 0xFF));
    data = SendCommand(request);
    if (data.size() != count)
        throw EError(tr("Устройство вернуло неверное количество данных.\r\n"
                        "Запрошено: %1, получено: %2.")
                         .arg(count)
                         .arg(data.size()));
}

uint16_t TKeyboardDriver::ReadWord(uint16_t address)
{
    QByteArray data;
    ReadMemory(address, 2, data);
    return uint16_t(uint8_t(data[0]) | uint8_t(data[1]) << 8);
}

void TKeyboardDriver::WriteBlock(uint16_t address, const QByteArray &data)
{
    QByteArray block = data.left(kBlockSize);
    block.append(kBlockSize - block.size(), char(0));
    WriteMemory(address, block.left(kHalfBlockSize));
    WriteMemory(uint16_t(address + kHalfBlockSize), block.mid(kHalfBlockSize));
}

void TKeyboardDriver::PlayNotes(const QByteArray &notes)
{
    if (notes.size() > kMaxNoteBytes)
        throw EError(tr("Количество нот не может превышать 84."));
    SendCommand(Command(kcPlayNotes) + notes);
}

void TKeyboardDriver::GetInfo(TDeviceInfo &info)
{
    info = TDeviceInfo::FromAnswer(SendCommand(Command(kcInfo)));
}

TDeviceStatus TKeyboardDriver::GetStatus()
{
    const QByteArray data = SendCommand(Command(kcStatusOrMode));
    if (data.isEmpty())
        RaiseFrameLength();
    return TDeviceStatus::FromByte(uint8_t(data[0]));
}

void TKeyboardDriver::SendMode(bool loader, bool programMemory)
{
    QByteArray request = Command(kcStatusOrMode);
    request.append(char(ModeByte(loader, programMemory)));
    SendCommand(request);
}

void TKeyboardDriver::SetMode(bool loader, bool programMemory)
{
    QElapsedTimer timer;
    timer.start();
    bool modeSent = false;
    for (;;) {
        try {
            const TDeviceStatus status = GetStatus();
            if (!status.LoaderMode && !status.ProgramValid)
                throw EError(tr("Программа клавиатуры повреждена.\r\n"
                                "Необходимо записать программу в клавиатуру.\r\n"
                                "Сделать это можно из меню \"Устройство\\Запись программы\""));
            if (status.LoaderMode == loader && status.ProgramMemory == programMemory)
                return;
            SendMode(loader, programMemory);
            modeSent = true;
        } catch (const EError &) {
            // Once the mode command is out, the keyboard restarts and does not
            // answer for a while (and may report itself broken meanwhile):
            // give it time instead of failing.
            if (!modeSent)
                throw;
            QThread::msleep(kModeRetryDelayMs);
        }
        if (timer.elapsed() > kModeTimeoutMs)
            throw EError(tr("Нет связи"));
    }
}

TDeviceStatus TKeyboardDriver::GetWorkStatus()
{
    SetMode(false, false);
    return GetStatus();
}

void TKeyboardDriver::GetProgramInfo(TDeviceInfo &info)
{
    SetMode(false, false);
    GetInfo(info);
}

void TKeyboardDriver::GetLoaderInfo(TDeviceInfo &info)
{
    SetMode(true, false);
    GetInfo(info);
}

QByteArray TKeyboardDriver::ReadMatrixState()
{
    // The caller has brought the keyboard into loader mode already; the mode
    // command only makes sure the loader looks at layout memory.
    SendMode(true, false);
    const QByteArray data = SendCommand(Command(kcMatrixState));
    if (data.size() < 3)
        RaiseFrameLength();
    return data;
}

bool TKeyboardDriver::HasMatrixCheck(const TDeviceInfo &loaderInfo)
{
    return loaderInfo.Major >= 2 && loaderInfo.Minor >= 6;
}

bool TKeyboardDriver::HasMatrixClosures()
{
    const QByteArray state = ReadMatrixState();
    return state[0] != 0 || state[1] != 0 || state[2] != 0;
}

void TKeyboardDriver::GetDevices(TDeviceList &devices)
{
    devices.clear();
    for (int i = 0; i < FPorts.Count(); ++i)
        FPorts.Item(i).GetDevices(devices);
}

void TKeyboardDriver::Refresh()
{
    for (int i = 0; i < FPorts.Count(); ++i)
        FPorts.Item(i).Refresh();
    SelectDevice(FDeviceName);
}

bool TKeyboardDriver::FindDevice(const QString &name)
{
    for (int i = 0; i < FPorts.Count(); ++i) {
        TCustomPort &port = FPorts.Item(i);
        if (port.HasDevice(name)) {
            FPort = &port;
            FDeviceName = name;
            return true;
        }
    }
    return false;
}

bool TKeyboardDriver::SelectFirstDevice(const QString &name, bool &empty)
{
    empty = false;
    if (FindDevice(name))
        return true;
    if (FPorts.Count() == 0) {
        empty = true;
        return false;
    }
    for (int i = 0; i < FPorts.Count(); ++i) {
        FPort = &FPorts.Item(i);
        TDeviceList devices;
        FPort->GetDevices(devices);
        if (!devices.empty()) {
            FDeviceName = devices.front().Name;
            return true;
        }
    }
    return false;
}

void TKeyboardDriver::SelectDevice(const QString &name)
{
    bool empty = false;
    if (SelectFirstDevice(name, empty))
        return;
    if (empty)
        throw EError(tr("Нет доступных портов"));
    throw EError(tr("Нет доступных устройств"));
}

void TKeyboardDriver::TrySelectDevice(const QString &name)
{
    bool empty = false;
    SelectFirstDevice(name, empty);
}

QString TKeyboardDriver::UnreachableReason()
{
    if (FPort == FPortPS2.get())
        return FPortPS2->DriverPresent() ? QString()
                                         : tr("нет сокета драйвера PS/2 %1").arg(FPortPS2->SocketPath());
    if (FPort == FPortUSB.get() && !FPortUSB->HasDevice(FDeviceName))
        return tr("USB-клавиатура %1 не подключена").arg(FDeviceName);
    return QString();
}

void TKeyboardDriver::SetDeviceName(const QString &name)
{
    if (name != FDeviceName && !FindDevice(name))
        throw EError(tr("Устройство %1 не найдено.").arg(name));
}
