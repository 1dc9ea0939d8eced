#pragma once

#include "device/CustomPort.h"
#include "device/DriverSocket.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <memory>

class QLocalSocket;

/// The port to a keyboard on the PS/2 connector, reached through the
/// keyboard filter driver's two control calls. On Windows that is the
/// driver device; elsewhere a Unix-domain socket stands in for it. The
/// driver is opened on first use and stays open until the port is freed.
class TPortPS2 : public TCustomPort {
public:
    /// Creates the port as a member of owner; socketPath is resolved with
    /// DriverSocketPath(). The driver socket must connect and answer
    /// each call within timeoutMs (neither is used on Windows).
    TPortPS2(TCustomPorts *owner, QString socketPath, int timeoutMs = kDriverTimeoutMs);
    /// Closes the driver.
    ~TPortPS2() override;

    /// Returns the path of the driver socket the port connects to.
    const QString &SocketPath() const { return FSocketPath; }

    /// Returns whether the driver is open.
    bool IsOpen() const;
    /// Returns whether the driver is there to be opened, without opening it:
    /// whether the driver socket exists (always true on Windows, where only
    /// opening tells).
    bool DriverPresent() const;
    /// Opens the driver unless it is open; raises "Драйвер для доступа к
    /// клавиатуре не установлен" when it cannot: alone when there is no
    /// driver socket, else followed by a line with the path and the reason.
    void Open();
    void Close();

    /// Appends "PS/2 клавиатура", whether or not the driver is installed.
    void GetDevices(TDeviceList &devices) override;
    /// Returns the driver's version "%d.%d.%d.%d", most significant byte
    /// first, or "недоступна" unless the driver returns exactly 4 bytes.
    /// Raises the control call's error.
    QString GetVersion() override;
    /// Returns whether name is "PS/2 клавиатура".
    bool HasDevice(const QString &name) override;
    /// Sends frame through the driver and takes the answer frame, up to
    /// attempts times without a pause. When the last attempt fails: "Нет
    /// связи" for a keyboard that does not answer (status 121, no reply
    /// within a second, a reply cut off or too long), else "Ошибка при
    /// записи данных. Код ошибки: %d".
    void Transfer(const QByteArray &frame, QByteArray &answer, int attempts) override;

private:
    /// One control call; returns its status (0 for success, else a system
    /// error code) with the output in output. Opens the driver first.
    uint32_t Control(uint32_t code, const QByteArray &input, uint32_t capacity, QByteArray &output);
    /// Raises the message of a failed control call's status.
    [[noreturn]] static void RaiseStatus(uint32_t status);

    QString FSocketPath;
    int FTimeoutMs;
#ifdef Q_OS_WIN
    void *FHandle = nullptr;
#else
    [[noreturn]] void RaiseNotConnected(const QLocalSocket &socket) const;

    std::unique_ptr<QLocalSocket> FSocket;
#endif
};
