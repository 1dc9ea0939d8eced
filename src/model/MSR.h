#pragma once

#include "model/Notes.h"
#include "model/Notifier.h"
#include "model/ScanCodes.h"

#include <QString>
#include <array>
#include <memory>

/// One track of the card reader: the codes sent before and after its data.
class TMSRTrack : public TNotifyObject {
public:
    explicit TMSRTrack(TNotifier *notifier = nullptr);
    ~TMSRTrack() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    /// Returns the codes sent before the track data.
    TScanCodes &Prefix() const { return *FPrefix; }
    /// Returns the codes sent after the track data.
    TScanCodes &Suffix() const { return *FSuffix; }
    /// Returns the message of the latest failed Validate.
    const QString &ErrorText() const { return FErrorText; }

    /// Empties both sequences and enables the track (without notification).
    void Clear();
    /// Copies the enabled flag and both sequences; marks changed.
    void Assign(const TMSRTrack &source);
    /// Checks prefix, then suffix; on failure stores "Префикс. " or
    /// "Суффикс. " and the sequence's message in ErrorText and returns false.
    bool Validate();

private:
    bool FEnabled = true;
    std::unique_ptr<TScanCodes> FPrefix;
    std::unique_ptr<TScanCodes> FSuffix;
    QString FErrorText;
};

/// The number of tracks of the card reader.
inline constexpr int kMSRTrackCount = 3;

/// The card reader settings of one layer.
class TMSR : public TNotifyObject {
public:
    explicit TMSR(TNotifier *notifier = nullptr);
    ~TMSR() override;

    /// Returns the reader's melody for the buzzer.
    TNotes &Melody() const { return *FMelody; }
    /// Returns whether ENTER is sent after the track data.
    bool SendEnter() const { return FSendEnter; }
    void SetSendEnter(bool value);
    /// Returns whether the keyboard locks on a reading error.
    bool StopOnError() const { return FStopOnError; }
    void SetStopOnError(bool value);
    /// Returns whether a light signal is given when reading.
    bool LightIndication() const { return FLightIndication; }
    void SetLightIndication(bool value);
    /// Returns the message of the latest failed Validate.
    const QString &ErrorText() const { return FErrorText; }

    /// Returns track index (0 to 2); raises "Неверное значение индекса трека."
    /// for any other index.
    TMSRTrack &Track(int index) const;

    /// Clears every track and the melody, SendEnter := false and
    /// StopOnError := true (without notification); LightIndication stays.
    void Clear();
    /// Copies tracks, melody and flags from source; marks changed.
    void Assign(const TMSR &source);
    /// Checks tracks 1 to 3; at the first failing one stores
    /// "Считыватель карт. Трек N. " and the track's message in ErrorText and
    /// returns false.
    bool Validate();

private:
    std::unique_ptr<TNotes> FMelody;
    bool FSendEnter = false;
    bool FStopOnError = false;
    bool FLightIndication = true;
    QString FErrorText;
    std::array<std::unique_ptr<TMSRTrack>, kMSRTrackCount> FTracks;
};
