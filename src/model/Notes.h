#pragma once

#include "model/Notifier.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

class TNotes;

/// The number of entries of the note name table: the pause and six octaves.
inline constexpr int kNoteNameCount = 73;
/// The greatest number of notes one melody may hold.
inline constexpr int kMaxNotes = 256;

/// Returns the name of a pitch ("P", "C_0" ... "B4"), empty above 72.
QString NoteName(int pitch);
/// Returns the pitch whose name is exactly name (letter case matters), or -1.
int NotePitch(QStringView name);

/// One note of a melody for the keyboard's buzzer. A plain value, so that a
/// melody keeps its notes side by side; a change marks the note and the
/// document's notifier, as every model object does.
class TNote {
public:
    explicit TNote(TNotes *owner, TNotifier *notifier = nullptr) : FOwner(owner), FNotifier(notifier) {}

    TNotes *Owner() const { return FOwner; }
    /// The document's notifier, null for a free-standing melody.
    TNotifier *Notifier() const { return FNotifier; }
    /// Returns whether the note changed since ResetChanged.
    bool IsChanged() const { return FIsChanged; }
    void ResetChanged() { FIsChanged = false; }
    /// Returns the index into the note name table.
    uint8_t Pitch() const { return FPitch; }
    uint8_t Volume() const { return FVolume; }
    uint8_t Duration() const { return FDuration; }
    void SetPitch(uint8_t value) { Store(FPitch, value); }
    void SetVolume(uint8_t value) { Store(FVolume, value); }
    void SetDuration(uint8_t value) { Store(FDuration, value); }

private:
    friend class TNotes;

    void Store(uint8_t &field, uint8_t value)
    {
        if (field == value)
            return;
        field = value;
        if (FNotifier)
            FNotifier->Change();
        FIsChanged = true;
    }

    uint8_t FPitch = 0;
    uint8_t FVolume = 0;
    uint8_t FDuration = 0;
    bool FIsChanged = false;
    TNotes *FOwner;
    TNotifier *FNotifier;
};

/// A melody: at most 256 notes. Its text form is name, duration and volume of
/// every note, all separated by ";" ("C1;10;5;D1;20;5").
class TNotes : public TNotifyObject {
public:
    explicit TNotes(TNotifier *notifier = nullptr);
    ~TNotes() override;

    int Count() const { return int(FItems.size()); }
    const TNote &Item(int index) const { return FItems[size_t(index)]; }
    TNote &Item(int index) { return FItems[size_t(index)]; }

    /// Appends a note with all fields 0, marks changed and returns it (valid
    /// until the next note is added); raises "Количество нот не может быть
    /// больше 256." when 256 notes are held.
    TNote &Add();
    /// Appends one note per three bytes (pitch, duration, volume), as device
    /// images store melodies, and marks changed once; raises the message of
    /// Add, adding none, when they would pass 256 notes.
    void AddPacked(QByteArrayView pitchDurationVolume);
    /// Frees all notes; marks changed when there were any.
    void Clear();
    /// Makes this melody a copy of source; nothing at all when they are
    /// already equal.
    void Assign(const TNotes &source);
    /// Returns whether both have the same count and, at every index, the same
    /// pitch, duration and volume.
    bool Equals(const TNotes &other) const;
    bool IsEmpty() const { return FItems.empty(); }

    /// Returns the text form; a pitch above 72 is written with an empty name.
    QString Text() const;
    /// Replaces the notes by those of text. Groups whose name is not in the
    /// table are skipped; an incomplete group ends the reading. A duration or
    /// volume that is not a decimal number raises EConvertError, keeping the
    /// notes read so far and the note being read.
    void SetText(QStringView text);

private:
    std::vector<TNote> FItems;
};
