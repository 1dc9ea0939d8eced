#pragma once

#include "device/DriverSocket.h"

#include <QString>
#include <memory>

class THidBackend;

/// Where the ports find their services; tests and the command-line tool
/// point them elsewhere.
struct TPortOptions {
    /// The PS/2 driver socket; empty: DefaultDriverSocketPath().
    QString DriverSocket;
    /// The HID services; null: hidapi.
    std::shared_ptr<THidBackend> HidBackend;
    /// How long the PS/2 driver socket may take to connect and to answer one
    /// control call; an emulated keyboard that is meant to fall silent can
    /// be given less.
    int DriverTimeoutMs = kDriverTimeoutMs;
};
