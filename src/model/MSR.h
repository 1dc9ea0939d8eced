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
    const TScanCodes &Prefix() const { return *FPrefix; }
    TScanCodes &Prefix() { return *FPrefix; }
    /// Returns the codes sent after the track data.
    const TScanCodes &Suffix() const { return *FSuffix; }
    TScanCodes &Suffix() { return *FSuffix; }
    /// Returns the message of the latest failed Validate.
    const QString &ErrorText() const { return FErrorText; }

    /// Empties both sequences and enables the track (without notification).
    void Clear();
    /// Copies the enabled flag and both sequences; marks changed.
    void Assign(const TMSRTrack &source);
    /// Checks prefix, then suffix; on failure stores "Префикс. " or
    /// "Суффикс. " and the sequence's message in ErrorText and returns false.
    bool Validate() const;

private:
    bool FEnabled = true;
    std::unique_ptr<TScanCodes> FPrefix;
    std::unique_ptr<TScanCodes> FSuffix;
    // The message of the latest check; a check is a reading of the object.
    mutable QString FErrorText;
};

/// The number of tracks of the card reader.
inline constexpr int kMSRTrackCount = 3;

/// The card reader settings of one layer.
class TMSR : public TNotifyObject {
public:
    explicit TMSR(TNotifier *notifier = nullptr);
    ~TMSR() override;

    /// Returns the reader's melody for the buzzer.
    const TNotes &Melody() const { return *FMelody; }
    TNotes &Melody() { return *FMelody; }
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
    const TMSRTrack &Track(int index) const;
    TMSRTrack &Track(int index);

    /// Clears every track and the melody, SendEnter := false and
    /// StopOnError := true (without notification); LightIndication stays.
    void Clear();
    /// Copies tracks, melody and flags from source; marks changed.
    void Assign(const TMSR &source);
    /// Checks tracks 1 to 3; at the first failing one stores
    /// "Считыватель карт. Трек N. " and the track's message in ErrorText and
    /// returns false.
    bool Validate() const;

private:
    std::unique_ptr<TNotes> FMelody;
    bool FSendEnter = false;
    bool FStopOnError = false;
    bool FLightIndication = true;
    // The message of the latest check; a check is a reading of the object.
    mutable QString FErrorText;
    std::array<std::unique_ptr<TMSRTrack>, kMSRTrackCount> FTracks;
};
