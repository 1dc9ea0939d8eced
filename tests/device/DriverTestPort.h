#pragma once

#include "base/Error.h"
#include "device/CustomPort.h"
#include "device/HidBackend.h"

#include <QByteArray>
#include <QString>
#include <deque>
#include <functional>
#include <vector>

/// A scripted port for driver tests: it records every request frame and
/// answers from a queue of answer frames or errors; when the queue is empty
/// it asks Handler, and without one it raises "Нет связи".
class TDriverTestPort : public TCustomPort {
public:
    TDriverTestPort(TCustomPorts *owner, QString name) : TCustomPort(owner), FName(std::move(name)) {}

    /// Queues an answer frame, or an error that Transfer raises.
    void Answer(const QByteArray &frame) { FQueue.push_back({frame, {}}); }
    void Fail(const QString &message) { FQueue.push_back({{}, message}); }

    /// Answers when the queue is empty: returns the answer frame to a request
    /// frame, or raises.
    std::function<QByteArray(const QByteArray &frame)> Handler;
    /// Every request frame received, and the attempts the last one was given.
    std::vector<QByteArray> Frames;
    int LastAttempts = 0;
    /// Whether the port lists its device.
    bool Listed = true;

    void GetDevices(TDeviceList &devices) override
    {
        if (Listed)
            devices.push_back({FName, this});
    }
    bool HasDevice(const QString &name) override { return Listed && name == FName; }
    QString GetVersion() override { return QStringLiteral("9.8.7.6"); }

    void Transfer(const QByteArray &frame, QByteArray &answer, int attempts) override
    {
        Frames.push_back(frame);
        LastAttempts = attempts;
        if (FQueue.empty()) {
            if (!Handler)
                throw EError(QStringLiteral("Нет связи"));
            answer = Handler(frame);
            return;
        }
        const TScripted next = FQueue.front();
        FQueue.pop_front();
        if (!next.Error.isEmpty())
            throw EError(next.Error);
        answer = next.Frame;
    }

private:
    struct TScripted {
        QByteArray Frame;
        QString Error;
    };
    QString FName;
    std::deque<TScripted> FQueue;
};

