#pragma once

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
};
