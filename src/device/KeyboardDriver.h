#pragma once

#include "device/CustomPort.h"
#include "device/DeviceInfo.h"
#include "device/PortOptions.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <cstdint>
#include <memory>

class TPortPS2;
class TPortUSB;

/// Speaks the keyboard's command protocol: wraps each command in a request
/// frame, hands it to the current port and checks the answer frame. On top of
/// that it offers the device commands (memory, information, status, modes,
/// melodies, the matrix check) and owns the ports and the choice of the
/// device every command goes to.
///
/// Every failure is an EError with its translated message; nothing is retried
/// here except the port's three attempts and the mode handshake.
class TKeyboardDriver {
    Q_DECLARE_TR_FUNCTIONS(TKeyboardDriver)

public:
    /// Creates the port list with a PS/2 port and a USB port, in this order,
    /// and makes the PS/2 port the current one.
    explicit TKeyboardDriver(const TPortOptions &options = {});
    virtual ~TKeyboardDriver();
    TKeyboardDriver(const TKeyboardDriver &) = delete;
    TKeyboardDriver &operator=(const TKeyboardDriver &) = delete;

    /// Returns the raw answer frame of the latest exchange.
    const QByteArray &LastAnswer() const { return FLastAnswer; }
    /// Returns the unframed request data of the latest exchange.
    const QByteArray &LastRequest() const { return FLastRequest; }
    /// Returns the port the next exchange goes through (not owned).
    TCustomPort *Port() const { return FPort; }
    /// Returns the list of ports.
    TCustomPorts &Ports() { return FPorts; }
    /// Returns the name of the selected device, as its port lists it.
    const QString &DeviceName() const { return FDeviceName; }

    /// Reads the information record of the program that is running (command
    /// 9Eh); raises "Неверная длина кадра." for fewer than 8 data bytes.
    virtual void GetInfo(TDeviceInfo &info);
    /// Passes a frame to the current port with 3 attempts.
    virtual void Transfer(const QByteArray &frame, QByteArray &answer);
    /// Returns the driver version text of the current port.
    virtual QString GetDriverVersion();
    /// Returns the little-endian word at address.
    virtual uint16_t ReadWord(uint16_t address);
    /// Plays notes (three bytes per note) on the buzzer (command A0h);
    /// raises "Количество нот не может превышать 84." for more than 254
    /// bytes, before anything is sent.
    virtual void PlayNotes(const QByteArray &notes);
    /// Writes one 256-byte block (data padded with zeros or cut to 256) as
    /// two 128-byte memory writes at address and address + 128.
    virtual void WriteBlock(uint16_t address, const QByteArray &data);
    /// Reads count bytes at address (command 9Dh); raises when the keyboard
    /// returns another number of bytes.
    virtual void ReadMemory(uint16_t address, uint16_t count, QByteArray &data);
    /// Brings the keyboard into working mode and reads the program's record.
    virtual void GetProgramInfo(TDeviceInfo &info);
    /// Brings the keyboard into loader mode for layout memory and reads the
    /// loader's record.
    virtual void GetLoaderInfo(TDeviceInfo &info);
    /// Returns the loader's matrix state (command A1h, at least 3 bytes),
    /// after sending the mode command for loader mode without a handshake.
    virtual QByteArray ReadMatrixState();

    /// Returns the answer data (bytes 4 to the last but one) of one exchange
    /// of request data. Raises "Длина данных кадра не может превышать 255
    /// байт." before sending, then in this order "Неверная длина кадра.", the
    /// device error and "Ошибка CRC"; LastRequest and LastAnswer hold the
    /// exchange even when a check fails.
    QByteArray SendCommand(const QByteArray &request);
    /// Writes data (at most 128 bytes) at address (command 9Ch).
    void WriteMemory(uint16_t address, const QByteArray &data);
    /// Returns the keyboard's status (command 9Fh).
    TDeviceStatus GetStatus();
    /// Sends the mode command without waiting for its outcome.
    void SendMode(bool loader, bool programMemory);
    /// Brings the keyboard into the mode and waits until it reports it;
    /// raises "Нет связи" after 3 seconds, and the damaged-program message
    /// when the program is found broken before any mode command was sent.
    void SetMode(bool loader, bool programMemory);
    /// Brings the keyboard into working mode and returns its status.
    TDeviceStatus GetWorkStatus();
    /// Returns whether a loader of that version checks the key matrix:
    /// Major of at least 2 and, on its own, Minor of at least 6.
    static bool HasMatrixCheck(const TDeviceInfo &loaderInfo);
    /// Returns whether any of the first three bytes of the matrix state is
    /// not zero, that is, whether keys are closed.
    bool HasMatrixClosures();

    /// Fills devices (cleared first) with the devices of every port, in list
    /// order.
    void GetDevices(TDeviceList &devices);
    /// Lets every port look for its devices again, then selects DeviceName.
    void Refresh();
    /// Makes the first port that has a device of that name the current one;
    /// returns false (changing nothing) when none has.
    bool FindDevice(const QString &name);
    /// Selects the named device, or else the first device of the first port
    /// that lists one; raises "Нет доступных портов" or "Нет доступных
    /// устройств".
    void SelectDevice(const QString &name);
    /// Selects like SelectDevice but raises nothing: an empty port list
    /// changes nothing; when no port lists a device, DeviceName stays and the
    /// last port is the current one.
    void TrySelectDevice(const QString &name);
    /// Returns, without asking any keyboard, why the selected device cannot
    /// be reached: "нет сокета драйвера PS/2 %s" or "USB-клавиатура %s не
    /// подключена"; empty when it may be reached.
    QString UnreachableReason();
    /// Selects another device by name; raises "Устройство %s не найдено."
    /// when no port has it.
    void SetDeviceName(const QString &name);

private:
    /// Selects the named device or the first one listed; returns false, with
    /// nothing selected, when the list is empty (empty) or no port lists a
    /// device.
    bool SelectFirstDevice(const QString &name, bool &empty);

    QByteArray FLastAnswer;
    QByteArray FLastRequest;
    TCustomPort *FPort = nullptr;
    TCustomPorts FPorts;
    QString FDeviceName;
    std::unique_ptr<TPortPS2> FPortPS2;
    std::unique_ptr<TPortUSB> FPortUSB;
};
