#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

class TCustomPort;
class TCustomPorts;

/// One device a port can reach, as the device lists show it: its name and
/// the port that reaches it.
struct TDeviceEntry {
    /// The name the settings store and the ports compare.
    QString Name;
    TCustomPort *Port = nullptr;
    /// The name in the language of the texts; empty when it is Name.
    QString Caption = {};

    const QString &Shown() const { return Caption.isEmpty() ? Name : Caption; }
};
using TDeviceList = std::vector<TDeviceEntry>;

/// A way to the keyboard: it carries one request frame of the command
/// protocol to the keyboard and brings back the answer frame, without looking
/// into either, and lists the devices it can reach.
class TCustomPort {
public:
    /// Creates the port as the last member of owner (if given).
    explicit TCustomPort(TCustomPorts *owner = nullptr);
    /// Leaves the owning list.
    virtual ~TCustomPort();
    TCustomPort(const TCustomPort &) = delete;
    TCustomPort &operator=(const TCustomPort &) = delete;

    TCustomPorts *Owner() const { return FOwner; }
    /// Moves the port to the end of another list (or out of any); nothing
    /// happens when the list is the one it is in.
    void SetOwner(TCustomPorts *owner);

    /// Looks for the devices again. The base does nothing.
    virtual void Refresh();
    /// Appends the name of every device the port reaches, with the port
    /// itself; never clears the list. The base appends nothing.
    virtual void GetDevices(TDeviceList &devices);
    /// Returns the version text of the port's driver; the base returns
    /// "недоступна".
    virtual QString GetVersion();
    /// Returns whether the port reaches a device of that name (and selects
    /// it). The base returns false.
    virtual bool HasDevice(const QString &name);
    /// Sends frame and stores the answer frame in answer, trying up to
    /// attempts times; an empty frame does nothing. Raises EError with the
    /// port's message when the last attempt fails.
    virtual void Transfer(const QByteArray &frame, QByteArray &answer, int attempts) = 0;

private:
    friend class TCustomPorts;
    TCustomPorts *FOwner = nullptr;
};

/// The ordered list of ports of the command driver. It does not own them:
/// a port joins when it gets the list as owner and leaves when it is freed.
class TCustomPorts {
public:
    TCustomPorts() = default;
    /// Leaves the remaining ports without a list.
    ~TCustomPorts();
    TCustomPorts(const TCustomPorts &) = delete;
    TCustomPorts &operator=(const TCustomPorts &) = delete;

    int Count() const { return int(FItems.size()); }
    TCustomPort &Item(int index) const { return *FItems[size_t(index)]; }

private:
    friend class TCustomPort;
    std::vector<TCustomPort *> FItems;
};
