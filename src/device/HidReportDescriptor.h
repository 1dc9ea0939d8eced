#pragma once

#include <QByteArray>

/// The report lengths a HID report descriptor declares, counted the way the
/// Windows HID capabilities count them: the longest report of each kind in
/// bytes (its bits rounded up), plus the report ID byte that every report
/// carries in front of its data (0 when the descriptor uses no report IDs).
/// A kind without any report has length 0.
class THidReportDescriptor {
public:
    /// Parses descriptor; never raises. Items cut off by the end of the data
    /// and item kinds that do not matter for lengths are ignored.
    explicit THidReportDescriptor(const QByteArray &descriptor);

    /// Returns the length of the longest input report.
    int InputReportByteLength() const { return FInput; }
    /// Returns the length of the longest output report.
    int OutputReportByteLength() const { return FOutput; }
    /// Returns the length of the longest feature report.
    int FeatureReportByteLength() const { return FFeature; }
    /// Returns whether the descriptor declares report IDs.
    bool UsesReportIDs() const { return FUsesReportIDs; }

private:
    int FInput = 0;
    int FOutput = 0;
    int FFeature = 0;
    bool FUsesReportIDs = false;
};
