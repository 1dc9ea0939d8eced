#pragma once

#include "FaultInjector.h"
#include "SimulatorOptions.h"
#include "SimulatorState.h"

#include "device/DeviceInfo.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QMutex>
#include <QString>

class TKeyboard;

/// The keyboard's working program and loader as the command protocol sees
/// them. It answers request frames with answer frames, keeps the layout
/// memory and the program memory, switches between the working mode and the
/// loader modes for layout and program memory, and injects faults.
///
/// The status bits follow the memories:
/// - LayoutValid: the layout memory holds an image whose trailer (at the
///   offset in its first word) carries the marker of the program version
///   (0x0208 for minor version 8, 0x0209 for 9, 0x020A for any other) and
///   the right checksum (16-bit sum of bytes 0 to S + 1).
/// - ProgramValid: while nothing has been written into program memory, as
///   the options say; once a program has been written, whether its first
///   256-byte block holds a non-zero byte. A program write puts its first
///   block last, so an unfinished write leaves the program damaged.
///
/// All public functions are thread-safe, except that the references
/// LayoutMemory and ProgramMemory return must not be held while another
/// thread sends requests.
class TKeyboardSimulator {
public:
    /// Size of the program memory: the whole 16-bit address space.
    static constexpr int kProgramMemorySize = 65536;

    /// Creates the keyboard of a model in working mode; loads the state file
    /// when the options name one that exists (raising EError when it cannot
    /// be read) and opens the log file (raising EError when it cannot).
    TKeyboardSimulator(const TKeyboard &model, const TSimulatorOptions &options);
    ~TKeyboardSimulator();
    TKeyboardSimulator(const TKeyboardSimulator &) = delete;
    TKeyboardSimulator &operator=(const TKeyboardSimulator &) = delete;

    /// Returns the answer frame to a request frame; empty when it does not
    /// answer (silent after a mode switch, a dropped answer, stopped).
    QByteArray HandleFrame(const QByteArray &request);
    /// As above; stopped tells whether the frame went unanswered because the
    /// keyboard has stopped answering (rather than being silent for a while
    /// or losing one answer).
    QByteArray HandleFrame(const QByteArray &request, bool &stopped);

    /// Returns the status byte the keyboard would send now, decoded.
    TDeviceStatus Status() const;
    /// Returns the information record of the program that answers now.
    TDeviceInfo Info() const;
    /// Returns the options the keyboard was made with (faults as at the
    /// start).
    const TSimulatorOptions &Options() const { return FOptions; }
    /// Returns the model name of the emulated keyboard.
    const QString &ClassName() const { return FClassName; }

    /// Returns the layout memory (MemorySize bytes).
    const QByteArray &LayoutMemory() const;
    /// Returns the program memory: the bytes up to the end of the highest
    /// write, empty while no program was written.
    const QByteArray &ProgramMemory() const;
    /// Replaces the layout memory (padded with zeros or cut to MemorySize)
    /// and saves the state file.
    void SetLayoutMemory(const QByteArray &memory);
    /// Replaces the program memory (cut to kProgramMemorySize) and saves the
    /// state file.
    void SetProgramMemory(const QByteArray &memory);

    /// Replaces the faults at run time; frame numbers keep counting.
    void SetFaults(const TSimulatorFaults &faults);
    /// Returns the number of requests received so far.
    int FramesReceived() const;
    /// Returns every request's data (command and parameters; the raw bytes of
    /// a frame that is not a valid request), in order.
    QList<QByteArray> Requests() const;

    /// Returns the trailer marker the working program of this version
    /// accepts.
    static uint16_t LayoutMarker(uint8_t programMinor);
    /// Returns whether memory holds a layout image with this marker and a
    /// right checksum.
    static bool LayoutImageValid(const QByteArray &memory, uint16_t marker);

private:
    /// An answer before the faults change it: the error code and the data.
    struct TAnswer {
        uint8_t Error = 0;
        QByteArray Data;
    };

    TAnswer Execute(const QByteArray &data);
    TAnswer WriteMemory(const QByteArray &data);
    TAnswer ReadMemory(const QByteArray &data) const;
    TAnswer StatusOrMode(const QByteArray &data);
    TAnswer PlayNotes(const QByteArray &data) const;
    TAnswer MatrixState(const QByteArray &data) const;
    bool ProgramIntact() const;
    uint8_t StatusByte() const;
    TDeviceInfo CurrentInfo() const;
    void SaveState();
    void Log(const QByteArray &data, const QByteArray &answer);

    const TSimulatorOptions FOptions;
    QString FClassName;
    /// The model's part of the information record.
    TDeviceInfo FModelInfo;

    mutable QMutex FMutex;
    TSimulatorState FState;
    bool FLoaderMode = false;
    bool FProgramMemoryMode = false;
    /// Silent until FClock reaches this many milliseconds.
    qint64 FSilentUntil = 0;
    QElapsedTimer FClock;
    TFaultInjector FFaults;
    int FFramesReceived = 0;
    QList<QByteArray> FRequests;
    QFile FLog;
};
