#include "FaultInjector.h"

TFaultInjector::TFaultInjector(const TSimulatorFaults &faults)
{
    SetFaults(faults);
}

void TFaultInjector::SetFaults(const TSimulatorFaults &faults)
{
    FFaults = faults;
    FGenerator.seed(faults.Seed);
}

double TFaultInjector::Draw()
{
    // mt19937 yields the same 32-bit numbers everywhere; the standard
    // distributions do not promise that, so the scaling is done here.
    return double(FGenerator()) / 4294967296.0;
}

TFault TFaultInjector::Next(int frame)
{
    const bool drop = Draw() < FFaults.DropRate;
    const bool error = Draw() < FFaults.ErrorRate;
    const bool corrupt = Draw() < FFaults.CorruptRate;
    if (FFaults.StopAfter >= 0 && frame > FFaults.StopAfter)
        return fStop;
    if (frame == FFaults.DropFrame || drop)
        return fDrop;
    if (frame == FFaults.ErrorFrame || error)
        return fError;
    if (frame == FFaults.CorruptFrame || corrupt)
        return fCorrupt;
    if (frame == FFaults.LoseFrame)
        return fLose;
    return fNone;
}
