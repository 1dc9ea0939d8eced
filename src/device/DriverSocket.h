#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// The filter driver of the PS/2 keyboard is reached through two control
// calls. On Linux a Unix-domain stream socket stands in for the driver
// device: each call sends the control code, the input length, the input and
// the output capacity (32-bit little-endian words) and receives the status
// (0 for success, else a system error code), the output length (at most the
// capacity) and the output.

/// Control call: request frame in, answer frame out (capacity 259).
inline constexpr uint32_t kControlTransfer = 0x000B2004;
/// Control call: no input, the driver version's 4 bytes out (capacity 4).
inline constexpr uint32_t kControlVersion = 0x000B2008;
inline constexpr uint32_t kTransferCapacity = 259;
inline constexpr uint32_t kVersionCapacity = 4;
/// Status of a keyboard that does not answer (the semaphore time-out).
inline constexpr uint32_t kStatusTimeout = 121;
/// How long a control call waits for the driver's answer.
inline constexpr int kDriverTimeoutMs = 1000;

/// Returns the socket path used when neither the command line nor the
/// settings name one: the per-user runtime folder followed by "/QvKbdDrv".
QString DefaultDriverSocketPath();
/// Returns the socket path to use for a path the user gave: empty gives
/// DefaultDriverSocketPath(), a relative one is taken from the current
/// folder (never from the temporary folder, where anyone may put a socket).
QString DriverSocketPath(const QString &given);

/// One control call as it travels to the driver.
struct TControlRequest {
    uint32_t Code = 0;
    QByteArray Input;
    uint32_t Capacity = 0;

    QByteArray Encode() const;
    /// Takes one whole request from the front of buffer (removing it) into
    /// request; returns false while buffer holds less than a whole request.
    /// Raises EError for an input length above 65536.
    static bool Decode(QByteArray &buffer, TControlRequest &request);
};

/// The driver's answer to one control call.
struct TControlReply {
    uint32_t Status = 0;
    QByteArray Output;

    QByteArray Encode() const;
    /// Takes one whole reply from the front of buffer (removing it); returns
    /// false while buffer holds less than a whole reply. Raises EError for an
    /// output longer than capacity.
    static bool Decode(QByteArray &buffer, uint32_t capacity, TControlReply &reply);
};
