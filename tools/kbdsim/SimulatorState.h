#pragma once

#include <QByteArray>
#include <QString>

/// What the emulated keyboard keeps when it is switched off: its layout
/// memory and its program memory. The state file holds the magic
/// "RVKBDSIM", a format word 1, then each memory as a length (32-bit
/// little-endian) and its bytes.
struct TSimulatorState {
    QByteArray LayoutMemory;
    QByteArray ProgramMemory;

    /// The most bytes either memory may hold: the 16-bit address space.
    static constexpr qsizetype kMaxMemory = 65536;

    /// Returns the bytes of the state file.
    QByteArray Encode() const;
    /// Returns the state the bytes of a state file hold; raises EError
    /// "Неверный формат файла состояния эмулятора: ..." for anything else.
    static TSimulatorState Decode(const QByteArray &bytes);

    /// Returns the state kept in a file; raises EError when it cannot be read
    /// or is not a state file.
    static TSimulatorState Load(const QString &fileName);
    /// Replaces the file by this state in one step, so that a crash never
    /// leaves half a file; raises EError when it cannot be written.
    void Save(const QString &fileName) const;
};
