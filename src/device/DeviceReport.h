#pragma once

#include <QString>
#include <vector>

class TKeyboardDriver;
class TKeyboards;

/// One row of the device information: a caption, a value and whether the
/// value is marked as a warning.
struct TDeviceReportRow {
    QString Caption;
    QString Value;
    bool Warning = false;
};

/// What the keyboard reports about itself, as the device information window
/// and the command line show it.
struct TDeviceReport {
    std::vector<TDeviceReportRow> Rows;
    /// Whether the working program answered (else the loader alone did).
    bool Working = false;
    /// The state of the stored layout; empty when the keyboard was in loader
    /// mode (the state is not known then).
    QString LayoutState;
    bool LayoutValid = false;
};

/// Reads the keyboard's status, program and loader records and the matrix
/// state; a keyboard that was working is returned to working mode. The
/// device type is the ClassName of the catalogue model with its model code.
TDeviceReport ReadDeviceReport(TKeyboardDriver &driver, const TKeyboards &keyboards);
