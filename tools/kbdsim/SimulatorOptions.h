#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

/// The faults the emulator injects. Frame numbers count every request
/// received, from 1; -1 turns a fault off. Rates are chances from 0 to 1 per
/// frame, drawn from a generator seeded with Seed, so that a run repeats.
struct TSimulatorFaults {
    /// The request of this frame is carried out, its answer is lost.
    int DropFrame = -1;
    /// The request of this frame is carried out, its answer carries a wrong
    /// checksum.
    int CorruptFrame = -1;
    /// The request of this frame is refused with ErrorCode.
    int ErrorFrame = -1;
    uint8_t ErrorCode = 0x73;
    /// A memory write of this frame is answered as done but not stored: a
    /// keyboard that loses bytes.
    int LoseFrame = -1;
    /// Answers nothing from frame StopAfter + 1 on.
    int StopAfter = -1;
    double DropRate = 0;
    double CorruptRate = 0;
    double ErrorRate = 0;
    uint32_t Seed = 1;
};

/// How the emulated keyboard behaves: its model, versions, memory, timing,
/// state and log files and the faults it injects.
struct TSimulatorOptions {
    /// Model code of the emulated keyboard in the catalogue.
    int ModelCode = 1;
    /// The catalogue folder holding "Клавиатуры"; empty: the program's data
    /// folder (ProgramDataFolder).
    QString DataFolder;
    uint8_t ProgramMajor = 2;
    uint8_t ProgramMinor = 10;
    uint8_t LoaderMajor = 2;
    uint8_t LoaderMinor = 6;
    /// Size of the layout memory in bytes (1 to 65535), as the information
    /// record reports it.
    int MemorySize = 32768;
    /// How long the keyboard stays silent after a mode switch.
    int ModeSwitchDelayMs = 0;
    /// How long every answer is held back.
    int LatencyMs = 0;
    /// Keeps both memories between runs; empty: none.
    QString StateFile;
    /// Gets one line per request; empty: none.
    QString LogFile;
    /// Whether the working program counts as intact while no program has been
    /// written into program memory.
    bool ProgramValid = true;
    /// The driver version the driver socket reports, most significant byte
    /// first as it is shown (1.0.0.0).
    uint32_t DriverVersion = 0x01000000;
    TSimulatorFaults Faults;
    /// Set by "--help": print the usage and do nothing else.
    bool Help = false;
    /// Set by "--version": print the program's version and do nothing else.
    bool Version = false;

    /// Returns the options of the command line of ravlin-kbdsim (without the
    /// program name); socketPath (when given) receives "--driver-socket"
    /// resolved with DriverSocketPath(). Raises EError with a Russian message for an
    /// unknown option, a missing value or a value out of range.
    static TSimulatorOptions FromArguments(const QStringList &args, QString *socketPath);
    /// Returns the usage text of ravlin-kbdsim.
    static QString Usage();
    /// Returns the folder of the model descriptions: DataFolder followed by
    /// "/Клавиатуры".
    QString KeyboardsFolder() const;
};
