#include "device/PortPS2.h"

#include "base/Error.h"
#include "device/DriverSocket.h"

#include <QCoreApplication>
#include <algorithm>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace {

QString DeviceName()
{
    return QStringLiteral("PS/2 клавиатура");
}

QString NotInstalled()
{
    return QCoreApplication::translate("TPortPS2", "Драйвер для доступа к клавиатуре не установлен");
}

} // namespace

TPortPS2::TPortPS2(TCustomPorts *owner, QString socketPath, int timeoutMs)
    : TCustomPort(owner),
      FSocketPath(DriverSocketPath(socketPath)), FTimeoutMs(timeoutMs)
{}

TPortPS2::~TPortPS2()
{
    Close();
}

void TPortPS2::GetDevices(TDeviceList &devices)
{
    devices.push_back({DeviceName(), this, QCoreApplication::translate("TPortPS2", "PS/2 клавиатура")});
}

bool TPortPS2::HasDevice(const QString &name)
{
    return name == DeviceName();
}

QString TPortPS2::GetVersion()
{
    QByteArray version;
    const uint32_t status = Control(kControlVersion, {}, kVersionCapacity, version);
    if (status != 0)
        RaiseStatus(status);
    // A version that cannot be read is told as the base port tells it.
    if (version.size() != 4)
        return TCustomPort::GetVersion();
    const auto byte = [&](int index) { return QString::number(uint8_t(version[index])); };
    return QStringLiteral("%1.%2.%3.%4").arg(byte(3), byte(2), byte(1), byte(0));
}

void TPortPS2::Transfer(const QByteArray &frame, QByteArray &answer, int attempts)
{
    if (frame.isEmpty())
        return;
    // At least one attempt, so that a call never returns without an answer.
    const int count = std::max(attempts, 1);
    uint32_t status = 0;
    for (int attempt = 1; attempt <= count; ++attempt) {
        QByteArray output;
        status = Control(kControlTransfer, frame, kTransferCapacity, output);
        if (status == 0) {
            answer = output;
            return;
        }
    }
    RaiseStatus(status);
}

void TPortPS2::RaiseStatus(uint32_t status)
{
    if (status == kStatusTimeout)
        throw EError(QCoreApplication::translate("TPortPS2", "Нет связи"));
    throw EError(
        QCoreApplication::translate("TPortPS2", "Ошибка при записи данных. Код ошибки: %1").arg(status));
}

#ifdef Q_OS_WIN

bool TPortPS2::IsOpen() const
{
    return FHandle != nullptr;
}

bool TPortPS2::DriverPresent() const
{
    return true;
}

void TPortPS2::Open()
{
    if (IsOpen())
        return;
    const HANDLE handle =
        CreateFileW(L"\\\\.\\QvKbdDrv", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        throw EError(NotInstalled());
    FHandle = handle;
}

void TPortPS2::Close()
{
    if (FHandle)
        CloseHandle(FHandle);
    FHandle = nullptr;
}

uint32_t TPortPS2::Control(uint32_t code, const QByteArray &input, uint32_t capacity, QByteArray &output)
{
    Open();
    output.resize(qsizetype(capacity));
    DWORD returned = 0;
    void *inputData = input.isEmpty() ? nullptr : const_cast<char *>(input.constData());
    if (!DeviceIoControl(FHandle, code, inputData, DWORD(input.size()), output.data(), DWORD(capacity),
                         &returned, nullptr))
        return GetLastError();
    output.truncate(qsizetype(std::min<DWORD>(returned, capacity)));
    return 0;
}

#else

bool TPortPS2::IsOpen() const
{
    return FSocket && FSocket->state() == QLocalSocket::ConnectedState;
}

bool TPortPS2::DriverPresent() const
{
    struct stat info = {};
    return ::stat(QFile::encodeName(FSocketPath).constData(), &info) == 0 && S_ISSOCK(info.st_mode);
}

void TPortPS2::Open()
{
    if (FSocket) {
        // A driver that went away has closed its end; without an event loop
        // the socket learns that only when its events are looked at. Such a
        // socket is connected again.
        FSocket->waitForReadyRead(0);
        if (IsOpen())
            return;
        Close();
    }
    auto socket = std::make_unique<QLocalSocket>();
    socket->connectToServer(FSocketPath);
    if (!socket->waitForConnected(FTimeoutMs))
        RaiseNotConnected(*socket);
    FSocket = std::move(socket);
}

void TPortPS2::RaiseNotConnected(const QLocalSocket &socket) const
{
    // No socket at all: the driver is simply not there. Anything else the
    // user must see to mend it: the path and the system's reason.
    const QByteArray path = QFile::encodeName(FSocketPath);
    const auto systemReason = [](int code) { return QString::fromLocal8Bit(std::strerror(code)); };
    QString reason;
    struct stat info = {};
    if (path.size() >= qsizetype(sizeof(sockaddr_un::sun_path))) {
        reason = systemReason(ENAMETOOLONG);
    } else if (::stat(path.constData(), &info) != 0) {
        if (errno == ENOENT)
            throw EError(NotInstalled());
        reason = systemReason(errno);
    } else if (!S_ISSOCK(info.st_mode)) {
        reason = systemReason(ENOTSOCK);
    } else if (::access(path.constData(), W_OK) != 0) {
        reason = systemReason(errno);
    } else {
        reason = socket.errorString();
    }
    throw EError(
        QCoreApplication::translate("TPortPS2", "Драйвер для доступа к клавиатуре не установлен\n%1: %2")
            .arg(FSocketPath, reason));
}

void TPortPS2::Close()
{
    if (!FSocket)
        return;
    FSocket->abort();
    FSocket.reset();
}

uint32_t TPortPS2::Control(uint32_t code, const QByteArray &input, uint32_t capacity, QByteArray &output)
{
    Open();
    // Nothing the driver sent unasked may be taken for this call's reply.
    FSocket->readAll();
    const QDeadlineTimer deadline(FTimeoutMs);
    // A driver that does not answer in time, closes the connection in the
    // middle of the reply or sends more than was asked for counts as a
    // keyboard that does not answer. The connection is dropped so that a
    // late reply cannot be taken for the next call's.
    const auto lost = [this] {
        Close();
        return kStatusTimeout;
    };

    FSocket->write(TControlRequest{code, input, capacity}.Encode());
    while (FSocket->bytesToWrite() > 0)
        if (deadline.hasExpired() || !FSocket->waitForBytesWritten(int(deadline.remainingTime())))
            return lost();

    QByteArray buffer;
    TControlReply reply;
    for (;;) {
        buffer += FSocket->readAll();
        try {
            if (TControlReply::Decode(buffer, capacity, reply))
                break;
        } catch (const EError &) {
            return lost();
        }
        if (deadline.hasExpired() || !FSocket->waitForReadyRead(int(deadline.remainingTime())))
            return lost();
    }
    output = reply.Output;
    return reply.Status;
}

#endif
