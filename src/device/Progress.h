#pragma once

#include <QString>
#include <cstdint>
#include <functional>

/// The kind of the latest progress notification.
enum TProgressState : uint8_t { psStarted = 0, psFinished = 1, psStep = 2 };

/// Progress and cancel of a long device operation: the operation reports its
/// steps, the progress window (or the command line) shows them, and the user
/// may ask to cancel, which the operation checks after every step.
class TProgress {
public:
    using THandler = std::function<void(TProgress &)>;

    int Max() const { return FMax; }
    const QString &Caption() const { return FCaption; }
    /// Whole seconds since the start, rounded to the nearest.
    int Elapsed() const { return FElapsed; }
    uint32_t StartTick() const { return FStartTick; }
    int Position() const { return FPosition; }
    bool Cancelled() const { return FCancelled; }
    TProgressState State() const { return FState; }

    /// Called at every notification.
    THandler OnProgress;

    /// Begins an operation of steps steps: clears Cancelled, notes the start
    /// and notifies psStarted.
    void Start(int steps, const QString &caption);
    /// Records the steps done and the elapsed time; notifies psStep.
    void Step(int position);
    /// Notifies psFinished.
    void Finish();
    /// Asks the running operation to stop.
    void Cancel() { FCancelled = true; }

private:
    void Notify(TProgressState state);

    int FMax = 0;
    QString FCaption;
    int FElapsed = 0;
    uint32_t FStartTick = 0;
    int FPosition = 0;
    bool FCancelled = false;
    TProgressState FState = psStarted;
};

/// Returns the millisecond tick count the device timing uses.
uint32_t TickCount();
