#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

class QLocalSocket;
class QObject;
class QThread;
class TKeyboardSimulator;
struct TControlReply;
struct TControlRequest;

/// Serves the driver socket for an emulated keyboard on a thread of its own,
/// so that a test in the main thread can talk to it through the PS/2 port.
/// Control call 000B2004h hands the request frame to the keyboard and returns
/// its answer frame with status 0; a frame the keyboard leaves unanswered for
/// a while (after a mode switch, a lost answer) returns status 121 after
/// kNoAnswerWaitMs, and a keyboard that has stopped answering gets no reply at
/// all, so that the caller's own time-out shows. Control call 000B2008h
/// returns the driver version of the keyboard's options. Clients may connect
/// one after another or at the same time.
class TSimulatorServer {
public:
    /// How long the driver waits for a keyboard that does not answer before
    /// it reports status 121.
    static constexpr int kNoAnswerWaitMs = 50;

    /// socketPath is resolved with DriverSocketPath().
    TSimulatorServer(TKeyboardSimulator &simulator, const QString &socketPath);
    /// Stops and removes the socket.
    ~TSimulatorServer();
    TSimulatorServer(const TSimulatorServer &) = delete;
    TSimulatorServer &operator=(const TSimulatorServer &) = delete;

    /// Listens on the socket path (a stale socket file is replaced); raises
    /// EError when another process serves the path, when something other
    /// than a socket lies there (it is left alone) or the socket cannot be
    /// listened on. Does nothing when already listening.
    void Start();
    /// Closes every connection and removes the socket file; does nothing
    /// when not listening.
    void Stop();
    /// Returns whether Start succeeded and Stop has not been called since.
    bool IsListening() const { return FThread != nullptr; }
    const QString &SocketPath() const { return FSocketPath; }

private:
    void Accept(QLocalSocket *socket);
    void Serve(QLocalSocket &socket, QByteArray &buffer);
    /// Returns the reply to one control call, nothing when the caller gets
    /// none.
    std::optional<TControlReply> Reply(const TControlRequest &request);

    TKeyboardSimulator &FSimulator;
    QString FSocketPath;
    std::unique_ptr<QThread> FThread;
    /// Lives in FThread and owns the server and its connections there.
    QObject *FContext = nullptr;
};
