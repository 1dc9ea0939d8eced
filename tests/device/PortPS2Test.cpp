#include "PortTestSupport.h"

#include "device/DriverSocket.h"
#include "device/PortPS2.h"

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMutex>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <deque>
#include <gtest/gtest.h>

namespace {

// What the driver stand-in does with one control call.
struct TDriverAction {
    enum TKind {
        Answer,
        /// Sends nothing.
        Silence,
        /// Sends the reply's head and a few bytes, then closes.
        CloseMidAnswer,
        /// Sends one byte more than the call's capacity.
        OverCapacity,
        /// Closes without a reply.
        Hangup,
    };
    TKind Kind = Answer;
    uint32_t Status = 0;
    QByteArray Output;
};

TDriverAction Reply(uint32_t status, QByteArray output = {})
{
    return {TDriverAction::Answer, status, std::move(output)};
}

TDriverAction Do(TDriverAction::TKind kind)
{
    return {kind, 0, {}};
}

// The filter driver's socket, served from a thread of its own so that the
// port can block on it from the test's thread. Each control call takes the
// next scripted action; with the script used up, it answers the transfer
// call with its input reversed.
class TDriverStandIn : public QThread {
public:
    explicit TDriverStandIn(QString path) : FPath(std::move(path)) {}
    ~TDriverStandIn() override { Stop(); }

    // Returns whether the socket is being listened on.
    bool Start()
    {
        start();
        FReady.acquire();
        return FListening;
    }

    void Stop()
    {
        quit();
        wait();
    }

    void Script(std::initializer_list<TDriverAction> actions)
    {
        QMutexLocker lock(&FMutex);
        FScript.insert(FScript.end(), actions);
    }

    std::vector<TControlRequest> Requests() const
    {
        QMutexLocker lock(&FMutex);
        return FRequests;
    }

    int Connections() const
    {
        QMutexLocker lock(&FMutex);
        return FConnections;
    }

protected:
    void run() override
    {
        QLocalServer server;
        QLocalServer::removeServer(FPath);
        FListening = server.listen(FPath);
        FReady.release();
        if (!FListening)
            return;
        QObject::connect(&server, &QLocalServer::newConnection, &server, [this, &server] {
            while (QLocalSocket *socket = server.nextPendingConnection()) {
                {
                    QMutexLocker lock(&FMutex);
                    ++FConnections;
                }
                auto buffer = std::make_shared<QByteArray>();
                QObject::connect(socket, &QLocalSocket::readyRead, socket,
                                 [this, socket, buffer] { Serve(*socket, *buffer); });
                QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        exec();
    }

private:
    void Serve(QLocalSocket &socket, QByteArray &buffer)
    {
        buffer += socket.readAll();
        TControlRequest request;
        while (TControlRequest::Decode(buffer, request)) {
            const TDriverAction action = Next(request);
            switch (action.Kind) {
            case TDriverAction::Answer:
                socket.write(TControlReply{action.Status, action.Output}.Encode());
                break;
            case TDriverAction::Silence:
                break;
            case TDriverAction::CloseMidAnswer:
                socket.write(TControlReply{0, QByteArray(10, 'x')}.Encode().left(11));
                socket.flush();
                socket.disconnectFromServer();
                return;
            case TDriverAction::OverCapacity:
                socket.write(TControlReply{0, QByteArray(qsizetype(request.Capacity) + 1, 'x')}.Encode());
                break;
            case TDriverAction::Hangup:
                socket.disconnectFromServer();
                return;
            }
        }
    }

    TDriverAction Next(const TControlRequest &request)
    {
        QMutexLocker lock(&FMutex);
        FRequests.push_back(request);
        if (FScript.empty()) {
            QByteArray echo = request.Input;
            std::reverse(echo.begin(), echo.end());
            return Reply(0, echo.left(request.Capacity));
        }
        TDriverAction action = FScript.front();
        FScript.pop_front();
        return action;
    }

    QString FPath;
    QSemaphore FReady;
    bool FListening = false;
    mutable QMutex FMutex;
    std::deque<TDriverAction> FScript;
    std::vector<TControlRequest> FRequests;
    int FConnections = 0;
};

class PortPS2Test : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(FFolder.isValid()); }

    QString SocketPath() const { return FFolder.filePath(QStringLiteral("drv")); }

    // Starts the stand-in on the socket path; a new one replaces the old.
    TDriverStandIn &StartDriver()
    {
        FDriver.reset();
        FDriver = std::make_unique<TDriverStandIn>(SocketPath());
        EXPECT_TRUE(FDriver->Start());
        return *FDriver;
    }

    QTemporaryDir FFolder;
    std::unique_ptr<TDriverStandIn> FDriver;
    const QByteArray FFrame = QByteArray::fromHex("02019F9E");
};

} // namespace

TEST_F(PortPS2Test, ListsItsKeyboardWithoutDriver)
{
    TCustomPorts ports;
    TPortPS2 port(&ports, SocketPath());
    EXPECT_EQ(ports.Count(), 1);

    TDeviceList devices;
    port.GetDevices(devices);
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].Name, u"PS/2 клавиатура");
    EXPECT_EQ(devices[0].Port, &port);
    EXPECT_TRUE(port.HasDevice(QStringLiteral("PS/2 клавиатура")));
    EXPECT_FALSE(port.HasDevice(QStringLiteral("PS/2 клавиатура ")));
    EXPECT_FALSE(port.HasDevice(QStringLiteral("PS/2")));

    QByteArray answer = "kept";
    EXPECT_EQ(ErrorOf([&] { port.Transfer({}, answer, 3); }), u"") << "an empty frame reaches for nothing";
    EXPECT_EQ(answer, "kept");

    const QString missing = QStringLiteral("Драйвер для доступа к клавиатуре не установлен");
    EXPECT_EQ(ErrorOf([&] { port.Transfer(FFrame, answer, 3); }), missing);
    EXPECT_EQ(ErrorOf([&] { port.GetVersion(); }), missing);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(answer, "kept");
}

TEST_F(PortPS2Test, EmptyPathMeansDefaultSocket)
{
    EXPECT_EQ(TPortPS2(nullptr, {}).SocketPath(), DefaultDriverSocketPath());
    EXPECT_EQ(TPortPS2(nullptr, SocketPath()).SocketPath(), SocketPath());
}

TEST_F(PortPS2Test, TransfersThroughOneConnection)
{
    TDriverStandIn &driver = StartDriver();
    driver.Script({Reply(0, QByteArray::fromHex("0203000000"))});
    TPortPS2 port(nullptr, SocketPath());
    QByteArray answer;
    port.Transfer(FFrame, answer, 3);
    EXPECT_EQ(answer, QByteArray::fromHex("0203000000")) << "the answer is cut to the bytes returned";
    EXPECT_TRUE(port.IsOpen());

    port.Transfer(QByteArray::fromHex("0102"), answer, 3);
    EXPECT_EQ(answer, QByteArray::fromHex("0201"));
    const auto requests = driver.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].Code, kControlTransfer);
    EXPECT_EQ(requests[0].Input, FFrame);
    EXPECT_EQ(requests[0].Capacity, kTransferCapacity);
    EXPECT_EQ(driver.Connections(), 1) << "the driver stays open between calls";

    port.Close();
    EXPECT_FALSE(port.IsOpen());
    port.Transfer(FFrame, answer, 1);
    EXPECT_EQ(driver.Connections(), 2);
}

TEST_F(PortPS2Test, StatusOfTheLastAttemptDecides)
{
    TDriverStandIn &driver = StartDriver();
    TPortPS2 port(nullptr, SocketPath());
    QByteArray answer = "kept";

    driver.Script({Reply(121)});
    EXPECT_EQ(ErrorOf([&] { port.Transfer(FFrame, answer, 1); }), u"Нет связи");
    driver.Script({Reply(5)});
    EXPECT_EQ(ErrorOf([&] { port.Transfer(FFrame, answer, 1); }), u"Ошибка при записи данных. Код ошибки: 5");
    driver.Script({Reply(121), Reply(87)});
    EXPECT_EQ(ErrorOf([&] { port.Transfer(FFrame, answer, 2); }),
              u"Ошибка при записи данных. Код ошибки: 87");
    driver.Script({Reply(87), Reply(121)});
    EXPECT_EQ(ErrorOf([&] { port.Transfer(FFrame, answer, 2); }), u"Нет связи");
    EXPECT_EQ(answer, "kept") << "a failed call leaves the answer";

    driver.Script({Reply(5), Reply(31), Reply(0, "ok")});
    port.Transfer(FFrame, answer, 3);
    EXPECT_EQ(answer, "ok");
    EXPECT_EQ(driver.Requests().size(), 9u) << "every attempt is one control call";
}

TEST_F(PortPS2Test, SilentDriverTimesOutAndLateReplyIsNotTaken)
{
    TDriverStandIn &driver = StartDriver();
    TPortPS2 port(nullptr, SocketPath());
    QByteArray answer;

    driver.Script({Do(TDriverAction::Silence)});
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(ErrorOf([&] { port.Transfer(FFrame, answer, 1); }), u"Нет связи");
    EXPECT_GE(timer.elapsed(), kDriverTimeoutMs - 50);
    EXPECT_LT(timer.elapsed(), 3 * kDriverTimeoutMs);

    driver.Script({Do(TDriverAction::Silence), Reply(0, "second")});
    port.Transfer(FFrame, answer, 2);
    EXPECT_EQ(answer, "second");
    EXPECT_EQ(driver.Connections(), 3) << "a call that timed out drops its connection";
}

TEST_F(PortPS2Test, BrokenRepliesMeanNoConnection)
{
    TDriverStandIn &driver = StartDriver();
    TPortPS2 port(nullptr, SocketPath());
    QByteArray answer = "kept";

    driver.Script({Do(TDriverAction::CloseMidAnswer)});
    EXPECT_EQ(ErrorOf([&] { port.Transfer(FFrame, answer, 1); }), u"Нет связи");
    driver.Script({Do(TDriverAction::OverCapacity)});
    EXPECT_EQ(ErrorOf([&] { port.Transfer(FFrame, answer, 1); }), u"Нет связи");
    driver.Script({Do(TDriverAction::Hangup)});
    EXPECT_EQ(ErrorOf([&] { port.Transfer(FFrame, answer, 1); }), u"Нет связи");
    EXPECT_EQ(answer, "kept");

    driver.Script({Do(TDriverAction::CloseMidAnswer), Do(TDriverAction::OverCapacity), Reply(0, "whole")});
    port.Transfer(FFrame, answer, 3);
    EXPECT_EQ(answer, "whole");
}

TEST_F(PortPS2Test, VersionReadsFromTheMostSignificantByte)
{
    TDriverStandIn &driver = StartDriver();
    TPortPS2 port(nullptr, SocketPath());

    driver.Script({Reply(0, QByteArray::fromHex("04030201"))});
    EXPECT_EQ(port.GetVersion(), u"1.2.3.4");
    const auto requests = driver.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].Code, kControlVersion);
    EXPECT_TRUE(requests[0].Input.isEmpty());
    EXPECT_EQ(requests[0].Capacity, kVersionCapacity);

    driver.Script({Reply(0, QByteArray::fromHex("FF00C80A"))});
    EXPECT_EQ(port.GetVersion(), u"10.200.0.255");
    driver.Script({Reply(0, QByteArray::fromHex("030201")), Reply(0)});
    EXPECT_EQ(port.GetVersion(), u"недоступна");
    EXPECT_EQ(port.GetVersion(), u"недоступна");

    driver.Script({Reply(121), Reply(2), Do(TDriverAction::OverCapacity)});
    EXPECT_EQ(ErrorOf([&] { port.GetVersion(); }), u"Нет связи");
    EXPECT_EQ(ErrorOf([&] { port.GetVersion(); }), u"Ошибка при записи данных. Код ошибки: 2");
    EXPECT_EQ(ErrorOf([&] { port.GetVersion(); }), u"Нет связи");
}

TEST_F(PortPS2Test, ReconnectsAfterTheDriverRestarts)
{
    StartDriver();
    TPortPS2 port(nullptr, SocketPath());
    QByteArray answer;
    port.Transfer("ab", answer, 1);
    EXPECT_EQ(answer, "ba");

    StartDriver();
    port.Transfer("cd", answer, 1);
    EXPECT_EQ(answer, "dc") << "the closed socket is connected again on the next call";
    EXPECT_EQ(FDriver->Connections(), 1);

    FDriver.reset();
    EXPECT_EQ(ErrorOf([&] { port.Transfer("ef", answer, 3); }),
              u"Драйвер для доступа к клавиатуре не установлен");
    EXPECT_FALSE(port.IsOpen());
}
