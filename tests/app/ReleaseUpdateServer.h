#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>

/// A tiny HTTP server on the loopback for the update check: answers every
/// GET with the status and body set, or never answers at all.
class TReleaseUpdateServer : public QObject {
public:
    TReleaseUpdateServer()
    {
        FServer.listen(QHostAddress::LocalHost);
        connect(&FServer, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = FServer.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Answer(*socket); });
        });
    }

    /// Returns the base address, ending in "/".
    QString Base() const { return QStringLiteral("http://127.0.0.1:%1/").arg(FServer.serverPort()); }

    int Status = 200;
    QByteArray Body;
    QByteArray ContentType = "text/plain";
    /// Reads the requests and answers none of them.
    bool Silent = false;
    /// The request lines received ("GET /path HTTP/1.1").
    QList<QByteArray> Requests;

private:
    void Answer(QTcpSocket &socket)
    {
        QByteArray &pending = FPending[&socket];
        pending += socket.readAll();
        const qsizetype end = pending.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        Requests << pending.left(pending.indexOf("\r\n"));
        pending.clear();
        if (Silent)
            return;
        socket.write("HTTP/1.1 " + QByteArray::number(Status) + (Status == 200 ? " OK" : " Not Found") +
                     "\r\nContent-Type: " + ContentType + "\r\nContent-Length: " +
                     QByteArray::number(Body.size()) + "\r\nConnection: close\r\n\r\n" + Body);
        socket.disconnectFromHost();
    }

    QTcpServer FServer;
    QHash<QTcpSocket *, QByteArray> FPending;
};
