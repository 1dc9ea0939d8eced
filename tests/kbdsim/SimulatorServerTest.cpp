#include "SimulatorServer.h"
#include "KeyboardSimulator.h"
#include "SimulatorOptions.h"
#include "SimulatorState.h"
#include "SimulatorTestSupport.h"

#include "base/Error.h"
#include "base/SafeFile.h"
#include "catalogue/Keyboards.h"
#include "device/DriverSocket.h"
#include "device/PortPS2.h"
#include "support/TestCatalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cstring>
#include <optional>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// One control call as the PS/2 port makes it; nothing when no reply arrives
// within timeoutMs.
std::optional<TControlReply> Call(QLocalSocket &socket, uint32_t code, const QByteArray &input,
                                  uint32_t capacity, int timeoutMs = 2000)
{
    TControlRequest request;
    request.Code = code;
    request.Input = input;
    request.Capacity = capacity;
    socket.write(request.Encode());
    socket.flush();
    QByteArray buffer;
    TControlReply reply;
    QElapsedTimer clock;
    clock.start();
    while (!TControlReply::Decode(buffer, capacity, reply)) {
        const int left = timeoutMs - int(clock.elapsed());
        if (left <= 0 || !socket.waitForReadyRead(left))
            return std::nullopt;
        buffer.append(socket.readAll());
    }
    return reply;
}

class SimulatorServerTest : public testing::Test {
protected:
    SimulatorServerTest() : FSocketPath(FFolder.filePath(QStringLiteral("kbd"))) {}

    bool Connect(QLocalSocket &socket)
    {
        socket.connectToServer(FSocketPath);
        return socket.waitForConnected(2000);
    }

    QTemporaryDir FFolder;
    QString FSocketPath;
};

} // namespace

TEST_F(SimulatorServerTest, CarriesFramesAndReportsTheDriverVersion)
{
    TSimulatorOptions options;
    options.DriverVersion = 0x01020304;
    TKeyboardSimulator simulator(ShippedKeyboards().ByModel(1), options);
    TSimulatorServer server(simulator, FSocketPath);
    server.Start();
    ASSERT_TRUE(server.IsListening());

    QLocalSocket socket;
    ASSERT_TRUE(Connect(socket));
    auto reply = Call(socket, kControlTransfer, Frame({kcInfo}), kTransferCapacity);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->Status, 0u);
    const TParsedAnswer answer = ParseAnswer(reply->Output);
    EXPECT_TRUE(answer.Framed);
    EXPECT_EQ(TDeviceInfo::FromAnswer(answer.Data).KeyCount, 64);

    reply = Call(socket, kControlVersion, {}, kVersionCapacity);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->Status, 0u);
    EXPECT_EQ(reply->Output, QByteArray("\x04\x03\x02\x01", 4));
    reply = Call(socket, kControlVersion, {}, 2);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->Status, 122u);
    reply = Call(socket, 0x000B2010, {}, 4);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->Status, 1u);
    EXPECT_EQ(simulator.FramesReceived(), 1);
}

TEST_F(SimulatorServerTest, UnansweredFramesTimeOutOrGetNoReply)
{
    TSimulatorOptions options;
    options.Faults.DropFrame = 1;
    options.Faults.StopAfter = 2;
    TKeyboardSimulator simulator(ShippedKeyboards().ByModel(1), options);
    TSimulatorServer server(simulator, FSocketPath);
    server.Start();
    QLocalSocket socket;
    ASSERT_TRUE(Connect(socket));

    auto reply = Call(socket, kControlTransfer, Frame({kcStatusOrMode}), kTransferCapacity);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->Status, kStatusTimeout);
    EXPECT_TRUE(reply->Output.isEmpty());
    reply = Call(socket, kControlTransfer, Frame({kcStatusOrMode}), kTransferCapacity);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->Status, 0u);
    // A keyboard that stopped answering leaves the caller to its time-out.
    EXPECT_FALSE(Call(socket, kControlTransfer, Frame({kcStatusOrMode}), kTransferCapacity, 400));
    EXPECT_EQ(simulator.FramesReceived(), 3);
}

TEST_F(SimulatorServerTest, ServesClientsOneAfterAnotherAndRemovesTheSocket)
{
    TKeyboardSimulator simulator(ShippedKeyboards().ByModel(1), {});
    TSimulatorServer server(simulator, FSocketPath);
    server.Start();
    for (int client = 0; client < 3; ++client) {
        QLocalSocket socket;
        ASSERT_TRUE(Connect(socket)) << client;
        const auto reply = Call(socket, kControlTransfer, Frame({kcStatusOrMode}), kTransferCapacity);
        ASSERT_TRUE(reply) << client;
        EXPECT_EQ(reply->Status, 0u);
        socket.disconnectFromServer();
    }
    EXPECT_EQ(simulator.FramesReceived(), 3);

    // Two at the same time, and one sending garbage that gets cut off.
    QLocalSocket first, second, garbage;
    ASSERT_TRUE(Connect(first) && Connect(second) && Connect(garbage));
    garbage.write(QByteArray("\x04\x20\x0B\x00\xFF\xFF\xFF\xFF", 8));
    garbage.flush();
    EXPECT_TRUE(Call(first, kControlTransfer, Frame({kcInfo}), kTransferCapacity));
    EXPECT_TRUE(Call(second, kControlTransfer, Frame({kcInfo}), kTransferCapacity));
    EXPECT_TRUE(garbage.waitForDisconnected(2000));

    // Another server on the same path is refused while this one listens.
    TKeyboardSimulator other(ShippedKeyboards().ByModel(1), {});
    TSimulatorServer rival(other, FSocketPath);
    EXPECT_THROW(rival.Start(), EError);
    EXPECT_FALSE(rival.IsListening());

    server.Stop();
    EXPECT_FALSE(server.IsListening());
    EXPECT_FALSE(QFile::exists(FSocketPath));
    QLocalSocket late;
    EXPECT_FALSE(Connect(late));
    // Started again, it serves again.
    server.Start();
    QLocalSocket again;
    EXPECT_TRUE(Connect(again));
}

TEST_F(SimulatorServerTest, PortPS2TalksToTheKeyboard)
{
    TSimulatorOptions options;
    options.Faults.DropFrame = 2;
    TKeyboardSimulator simulator(ShippedKeyboards().ByModel(1), options);
    TSimulatorServer server(simulator, FSocketPath);
    TPortPS2 port(nullptr, FSocketPath);
    QByteArray answer;
    const auto messageOf = [&](int attempts) {
        try {
            port.Transfer(Frame({kcStatusOrMode}), answer, attempts);
        } catch (const EError &error) {
            return error.Message();
        }
        return QString();
    };
    EXPECT_EQ(messageOf(3), u"Драйвер для доступа к клавиатуре не установлен");

    server.Start();
    EXPECT_EQ(port.GetVersion(), u"1.0.0.0");
    port.Transfer(Frame({kcInfo}), answer, 3);
    EXPECT_EQ(TDeviceInfo::FromAnswer(ParseAnswer(answer).Data).DeviceType, 1);
    // The lost answer of frame 2 is made good by the port's second attempt.
    EXPECT_EQ(messageOf(3), QString());
    EXPECT_EQ(ParseAnswer(answer).Data, QByteArray(1, char(kStatusProgramValid)));
    EXPECT_EQ(simulator.FramesReceived(), 3);

    TSimulatorFaults faults;
    faults.DropRate = 1;
    simulator.SetFaults(faults);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(messageOf(3), u"Нет связи");
    EXPECT_LT(clock.elapsed(), 900);
    EXPECT_EQ(simulator.FramesReceived(), 6);

    // A keyboard that stopped answering shows the port's own time-out.
    faults = {};
    faults.StopAfter = 0;
    simulator.SetFaults(faults);
    clock.restart();
    EXPECT_EQ(messageOf(1), u"Нет связи");
    EXPECT_GE(clock.elapsed(), 900);
    simulator.SetFaults({});
    EXPECT_EQ(messageOf(1), QString());
}

TEST_F(SimulatorServerTest, ExecutablePrintsItsLineAndServes)
{
    const QString program = QStringLiteral(RAVLIN_BIN_DIR "/ravlin-kbdsim");
    QProcess process;
    process.start(program, {QStringLiteral("--driver-socket"), FSocketPath, QStringLiteral("--model"),
                            QStringLiteral("2"), QStringLiteral("--program"), QStringLiteral("2.9")});
    ASSERT_TRUE(process.waitForStarted(5000));
    QByteArray output;
    while (!output.contains('\n') && process.waitForReadyRead(10000))
        output += process.readAllStandardOutput();
    const QString line = QString::fromUtf8(output).trimmed();
    const QString className = ShippedKeyboards().ByModel(2).ClassName;
    EXPECT_EQ(line,
              QStringLiteral("Эмулятор клавиатуры %1 (модель 2) слушает %2").arg(className, FSocketPath));

    QLocalSocket socket;
    ASSERT_TRUE(Connect(socket));
    const auto reply = Call(socket, kControlTransfer, Frame({kcInfo}), kTransferCapacity);
    ASSERT_TRUE(reply);
    const TDeviceInfo info = TDeviceInfo::FromAnswer(ParseAnswer(reply->Output).Data);
    EXPECT_EQ(info.Version, u"2.9");
    EXPECT_EQ(info.DeviceType, 2);
    socket.disconnectFromServer();

    process.terminate();
    ASSERT_TRUE(process.waitForFinished(5000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(FSocketPath));
}

TEST_F(SimulatorServerTest, ExecutablePrintsTheProgramVersion)
{
    QProcess process;
    process.start(QStringLiteral(RAVLIN_BIN_DIR "/ravlin-kbdsim"), {QStringLiteral("--version")});
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardOutput()), QStringLiteral("ravlin-kbdsim 1.0.0.0\n"));
    EXPECT_FALSE(QFile::exists(FSocketPath));
}

TEST_F(SimulatorServerTest, ExecutableRefusesBadOptions)
{
    const QString program = QStringLiteral(RAVLIN_BIN_DIR "/ravlin-kbdsim");
    const QStringList bad[] = {
        {QStringLiteral("--memory"), QStringLiteral("x")},
        {QStringLiteral("--model"), QStringLiteral("99"), QStringLiteral("--driver-socket"), FSocketPath}};
    for (const QStringList &args : bad) {
        QProcess process;
        process.start(program, args);
        ASSERT_TRUE(process.waitForFinished(10000));
        EXPECT_EQ(process.exitCode(), 2) << args.join(u' ').toStdString();
        const QString error = QString::fromUtf8(process.readAllStandardError());
        EXPECT_TRUE(error.startsWith(u"Неверное значение параметра --memory: x") ||
                    error.startsWith(u"Не найдено описание клавиатуры с кодом модели 99."))
            << error.toStdString();
    }
}

TEST_F(SimulatorServerTest, OnlyAStaleSocketIsReplaced)
{
    TKeyboardSimulator simulator(ShippedKeyboards().ByModel(1), TSimulatorOptions());
    // A regular file at the path stays as it is.
    {
        QFile file(FSocketPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("keep me");
    }
    TSimulatorServer server(simulator, FSocketPath);
    try {
        server.Start();
        FAIL() << "started over a file";
    } catch (const EError &error) {
        EXPECT_EQ(error.Message(), QStringLiteral("По пути %1 лежит не сокет: эмулятор его не удаляет. Укажите другой "
                                                  "путь --driver-socket.")
                                       .arg(FSocketPath));
    }
    QFile file(FSocketPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "keep me");
    file.remove();

    // A socket whose process has gone (bound, never removed) is replaced.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(FSocketPath).constData(), sizeof(address.sun_path) - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)), 0);
    ::close(fd);
    server.Start();
    QLocalSocket socket;
    EXPECT_TRUE(Connect(socket));
}

TEST_F(SimulatorServerTest, RelativeSocketPathsLieInTheCurrentFolder)
{
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(FFolder.path()));
    const QString name = QStringLiteral("rel-%1.sock").arg(QCoreApplication::applicationPid());
    {
        TKeyboardSimulator simulator(ShippedKeyboards().ByModel(1), TSimulatorOptions());
        TSimulatorServer server(simulator, name);
        server.Start();
        EXPECT_EQ(server.SocketPath(), FFolder.filePath(name));
        EXPECT_TRUE(QFileInfo::exists(FFolder.filePath(name)));
        EXPECT_FALSE(QFileInfo::exists(QDir::temp().filePath(name)));
        TPortPS2 port(nullptr, name);
        EXPECT_EQ(port.SocketPath(), FFolder.filePath(name));
        EXPECT_EQ(port.GetVersion(), u"1.0.0.0");
    }
    QString socket;
    TSimulatorOptions::FromArguments({QStringLiteral("--driver-socket"), name}, &socket);
    EXPECT_EQ(socket, FFolder.filePath(name));
    QDir::setCurrent(previous);
}

TEST_F(SimulatorServerTest, DriverSocketFailuresSayWhy)
{
    const QString missing = QStringLiteral("Драйвер для доступа к клавиатуре не установлен");
    const auto messageOf = [](const QString &path) {
        TPortPS2 port(nullptr, path, 200);
        try {
            port.Open();
        } catch (const EError &error) {
            return error.Message();
        }
        return QString();
    };
    EXPECT_EQ(messageOf(FSocketPath), missing) << "no socket: the driver is not there";
    EXPECT_EQ(messageOf(FFolder.filePath(QStringLiteral("no/such/folder"))), missing);
    {
        QFile file(FSocketPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(messageOf(FSocketPath), missing + u'\n' + FSocketPath + QStringLiteral(": Socket operation on non-socket"));
    const QString file = FSocketPath + QStringLiteral("/under");
    EXPECT_EQ(messageOf(file), missing + u'\n' + file + QStringLiteral(": Not a directory"));
    const QString longPath = FFolder.filePath(QString(120, u'k'));
    EXPECT_EQ(messageOf(longPath), missing + u'\n' + longPath + QStringLiteral(": File name too long"));
}

TEST(SimulatorState, IsSavedWholeOrNotAtAll)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("state.bin"));
    TSimulatorState state;
    state.LayoutMemory = "layout";
    state.Save(path);
    state.LayoutMemory = "changed";
    SetWriteFaultHook([](const QString &) { return false; });
    EXPECT_THROW(state.Save(path), EError);
    SetWriteFaultHook(nullptr);
    EXPECT_EQ(TSimulatorState::Load(path).LayoutMemory, "layout");
}
