#include "SimulatorServer.h"

#include "KeyboardSimulator.h"

#include "base/Error.h"
#include "device/DriverSocket.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QtEndian>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// System error codes of the driver's control calls.
constexpr uint32_t kStatusInvalidFunction = 1;
constexpr uint32_t kStatusInsufficientBuffer = 122;
// How long Start waits for a process that may already serve the path.
constexpr int kProbeTimeoutMs = 200;

} // namespace

TSimulatorServer::TSimulatorServer(TKeyboardSimulator &simulator, const QString &socketPath)
    : FSimulator(simulator), FSocketPath(DriverSocketPath(socketPath))
{}

TSimulatorServer::~TSimulatorServer()
{
    Stop();
}

void TSimulatorServer::Start()
{
    if (FThread)
        return;
    {
        // Removing the socket file of a running emulator would steal its
        // clients; only a stale file (nobody answers) is replaced.
        QLocalSocket probe;
        probe.connectToServer(FSocketPath);
        if (probe.waitForConnected(kProbeTimeoutMs))
            throw EError(
                QCoreApplication::translate("TSimulatorServer", "Сокет %1 уже обслуживает другой процесс")
                    .arg(FSocketPath));
    }
    // Whatever else lies at the path belongs to someone: only a socket that
    // nobody listens on any more is removed to make way.
    const QByteArray path = QFile::encodeName(FSocketPath);
    struct stat existing = {};
    if (::lstat(path.constData(), &existing) == 0) {
        if (!S_ISSOCK(existing.st_mode))
            throw EError(QCoreApplication::translate("TSimulatorServer",
                                                     "По пути %1 лежит не сокет: эмулятор его не удаляет. "
                                                     "Укажите другой путь --driver-socket.")
                             .arg(FSocketPath));
        if (::unlink(path.constData()) != 0)
            throw EError(
                QCoreApplication::translate("TSimulatorServer", "Не удалось удалить старый сокет %1: %2")
                    .arg(FSocketPath, QString::fromLocal8Bit(std::strerror(errno))));
    }
    auto thread = std::make_unique<QThread>();
    auto *context = new QObject;
    context->moveToThread(thread.get());
    thread->start();

    QString error;
    QMetaObject::invokeMethod(
        context,
        [&] {
            auto *server = new QLocalServer(context);
            server->setSocketOptions(QLocalServer::UserAccessOption);
            if (!server->listen(FSocketPath)) {
                error = server->errorString();
                delete server;
                return;
            }
            QObject::connect(server, &QLocalServer::newConnection, server, [this, server] {
                while (server->hasPendingConnections())
                    Accept(server->nextPendingConnection());
            });
        },
        Qt::BlockingQueuedConnection);
    if (!error.isEmpty()) {
        thread->quit();
        thread->wait();
        delete context;
        throw EError(QCoreApplication::translate("TSimulatorServer", "Не удалось открыть сокет %1: %2")
                         .arg(FSocketPath, error));
    }
    FThread = std::move(thread);
    FContext = context;
}

void TSimulatorServer::Stop()
{
    if (!FThread)
        return;
    // The server and its connections belong to the server thread and are
    // freed there.
    QMetaObject::invokeMethod(
        FContext, [this] { qDeleteAll(FContext->children()); }, Qt::BlockingQueuedConnection);
    FThread->quit();
    FThread->wait();
    delete FContext;
    FContext = nullptr;
    FThread.reset();
    QFile::remove(FSocketPath);
}

void TSimulatorServer::Accept(QLocalSocket *socket)
{
    auto buffer = std::make_shared<QByteArray>();
    QObject::connect(socket, &QLocalSocket::readyRead, socket,
                     [this, socket, buffer] { Serve(*socket, *buffer); });
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
}

void TSimulatorServer::Serve(QLocalSocket &socket, QByteArray &buffer)
{
    buffer.append(socket.readAll());
    try {
        TControlRequest request;
        while (TControlRequest::Decode(buffer, request)) {
            if (const auto reply = Reply(request))
                socket.write(reply->Encode());
        }
        socket.flush();
    } catch (const EError &) {
        // A garbled length: nothing after it can be trusted.
        buffer.clear();
        socket.abort();
    }
}

std::optional<TControlReply> TSimulatorServer::Reply(const TControlRequest &request)
{
    TControlReply reply;
    switch (request.Code) {
    case kControlTransfer: {
        bool stopped = false;
        const QByteArray answer = FSimulator.HandleFrame(request.Input, stopped);
        if (stopped)
            return std::nullopt;
        if (answer.isEmpty()) {
            QThread::msleep(kNoAnswerWaitMs);
            reply.Status = kStatusTimeout;
        } else if (uint32_t(answer.size()) > request.Capacity) {
            reply.Status = kStatusInsufficientBuffer;
        } else {
            reply.Output = answer;
        }
        break;
    }
    case kControlVersion:
        if (request.Capacity < kVersionCapacity) {
            reply.Status = kStatusInsufficientBuffer;
        } else {
            // The value travels little-endian: its last byte is the first
            // number of the version text.
            reply.Output.resize(4);
            qToLittleEndian(FSimulator.Options().DriverVersion, reply.Output.data());
        }
        break;
    default:
        reply.Status = kStatusInvalidFunction;
    }
    return reply;
}
