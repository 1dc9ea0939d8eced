#include "device/Progress.h"

#include <QElapsedTimer>
#include <cmath>

uint32_t TickCount()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return uint32_t(clock.elapsed());
}

void TProgress::Start(int steps, const QString &caption)
{
    FMax = steps;
    FCaption = caption;
    FCancelled = false;
    FStartTick = TickCount();
    FPosition = 0;
    FElapsed = 0;
    Notify(psStarted);
}

void TProgress::Step(int position)
{
    FElapsed = int(std::lround((TickCount() - FStartTick) / 1000.0));
    FPosition = position;
    Notify(psStep);
}

void TProgress::Finish()
{
    Notify(psFinished);
}

void TProgress::Notify(TProgressState state)
{
    FState = state;
    if (OnProgress)
        OnProgress(*this);
}
