#pragma once

#include "SimulatorOptions.h"

#include <cstdint>
#include <random>

/// What the emulator does with one request.
enum TFault : uint8_t {
    /// Carry the request out and answer it.
    fNone,
    /// Carry the request out, lose the answer.
    fDrop,
    /// Carry the request out, answer with a wrong checksum.
    fCorrupt,
    /// Refuse the request with the fault's error code.
    fError,
    /// Answer a memory write as done without storing it.
    fLose,
    /// Neither carry it out nor answer: the keyboard has stopped answering.
    fStop,
};

/// Decides the fault of every frame from the fault options: by frame number
/// first, then by rate. Every frame draws its three chances whether or not
/// the rates are set, so the faults of a seed depend only on frame numbers.
class TFaultInjector {
public:
    explicit TFaultInjector(const TSimulatorFaults &faults = {});

    const TSimulatorFaults &Faults() const { return FFaults; }
    /// Replaces the faults and seeds the generator again with their Seed.
    void SetFaults(const TSimulatorFaults &faults);

    /// Returns the fault of frame number frame (counted from 1). Stopping
    /// wins over dropping, dropping over an error, an error over corruption.
    TFault Next(int frame);

private:
    /// Returns a chance drawn evenly from [0, 1).
    double Draw();

    TSimulatorFaults FFaults;
    std::mt19937 FGenerator;
};
