#include "model/MSR.h"

#include "base/Error.h"

#include <QCoreApplication>
#include <utility>

TMSRTrack::TMSRTrack(TNotifier *notifier)
    : TNotifyObject(notifier), FPrefix(std::make_unique<TScanCodes>(notifier)),
      FSuffix(std::make_unique<TScanCodes>(notifier))
{}

TMSRTrack::~TMSRTrack() = default;

void TMSRTrack::SetEnabled(bool value)
{
    Store(FEnabled, value);
}

void TMSRTrack::Clear()
{
    FPrefix->Clear();
    FSuffix->Clear();
    FEnabled = true;
}

void TMSRTrack::Assign(const TMSRTrack &source)
{
    SetEnabled(source.FEnabled);
    FPrefix->Assign(*source.FPrefix);
    FSuffix->Assign(*source.FSuffix);
    Change();
}

bool TMSRTrack::Validate() const
{
    if (!FPrefix->Validate()) {
        FErrorText = QCoreApplication::translate("TMSR", "Префикс. %1").arg(FPrefix->ErrorText());
        return false;
    }
    if (!FSuffix->Validate()) {
        FErrorText = QCoreApplication::translate("TMSR", "Суффикс. %1").arg(FSuffix->ErrorText());
        return false;
    }
    return true;
}

TMSR::TMSR(TNotifier *notifier) : TNotifyObject(notifier), FMelody(std::make_unique<TNotes>(notifier))
{
    for (auto &track : FTracks)
        track = std::make_unique<TMSRTrack>(notifier);
}

TMSR::~TMSR() = default;

void TMSR::SetSendEnter(bool value)
{
    Store(FSendEnter, value);
}

void TMSR::SetStopOnError(bool value)
{
    Store(FStopOnError, value);
}

void TMSR::SetLightIndication(bool value)
{
    Store(FLightIndication, value);
}

const TMSRTrack &TMSR::Track(int index) const
{
    if (index < 0 || index >= kMSRTrackCount)
        throw EError(QCoreApplication::translate("TMSR", "Неверное значение индекса трека."));
    return *FTracks[size_t(index)];
}

TMSRTrack &TMSR::Track(int index)
{
    return const_cast<TMSRTrack &>(std::as_const(*this).Track(index));
}

void TMSR::Clear()
{
    for (auto &track : FTracks)
        track->Clear();
    FMelody->Clear();
    FSendEnter = false;
    FStopOnError = true;
}

void TMSR::Assign(const TMSR &source)
{
    for (int i = 0; i < kMSRTrackCount; ++i)
        FTracks[size_t(i)]->Assign(*source.FTracks[size_t(i)]);
    FMelody->Assign(*source.FMelody);
    SetSendEnter(source.FSendEnter);
    SetStopOnError(source.FStopOnError);
    SetLightIndication(source.FLightIndication);
    Change();
}

bool TMSR::Validate() const
{
    // Disabled tracks are checked as well: their codes are still stored.
    for (int i = 0; i < kMSRTrackCount; ++i) {
        const TMSRTrack &track = *FTracks[size_t(i)];
        if (!track.Validate()) {
            FErrorText = QCoreApplication::translate("TMSR", "Считыватель карт. Трек %1. %2")
                             .arg(i + 1)
                             .arg(track.ErrorText());
            return false;
        }
    }
    return true;
}
