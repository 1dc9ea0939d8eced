#pragma once

#include "model/Notes.h"
#include "model/Notifier.h"
#include "model/ScanCodes.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

class TKeyLock;

/// The greatest number of positions of a key lock.
inline constexpr int kMaxKeyPositions = 8;
/// The number of position functions: 0 sends the codes, 1 to 4 switch to
/// layer 1 to 4.
inline constexpr int kPositionTypeCount = 5;

/// Returns the display name of a position function ("Макрос",
/// "Переход на 1 cлой" ...), empty for values outside 0 to 4.
QString PositionTypeName(int positionType);
/// Returns the display names of all position functions; the index is the value.
QStringList PositionTypeNames();

/// One position of the key lock.
class TKeyPosition : public TNotifyObject {
public:
    explicit TKeyPosition(TKeyLock *owner, TNotifier *notifier = nullptr);
    ~TKeyPosition() override;

    /// Returns the position's melody for the buzzer.
    const TNotes &Melody() const { return *FMelody; }
    TNotes &Melody() { return *FMelody; }
    TKeyLock *Owner() const { return FOwner; }
    /// Returns the function: 0 sends Codes, 1 to 4 switch to that layer.
    uint8_t PositionType() const { return FPositionType; }
    void SetPositionType(uint8_t value);
    /// Returns the codes sent when the key is turned to this position.
    const TScanCodes &Codes() const { return *FCodes; }
    TScanCodes &Codes() { return *FCodes; }
    /// Returns whether the keyboard is locked in this position.
    bool Locked() const { return FLocked; }
    void SetLocked(bool value);

    /// Copies function, melody, codes and lock flag; marks changed.
    void Assign(const TKeyPosition &source);
    /// Returns the result of Validate of Codes (its message stays there).
    bool Validate() const;

private:
    std::unique_ptr<TNotes> FMelody;
    TKeyLock *FOwner;
    uint8_t FPositionType = 0;
    std::unique_ptr<TScanCodes> FCodes;
    bool FLocked = false;
};

/// The key lock of one layer: at most 8 positions, position 1 first.
class TKeyLock : public TNotifyObject {
public:
    explicit TKeyLock(TNotifier *notifier = nullptr);
    ~TKeyLock() override;

    int Count() const { return int(FItems.size()); }
    const TKeyPosition &Item(int index) const { return *FItems[size_t(index)]; }
    TKeyPosition &Item(int index) { return *FItems[size_t(index)]; }
    /// Returns the message of the latest failed Validate.
    const QString &ErrorText() const { return FErrorText; }

    /// Appends a new position, marks changed and returns it; raises
    /// "Количество положений ключа не может быть больше 8." when 8 exist.
    TKeyPosition &Add();
    /// Frees all positions; marks changed when there were any.
    void Clear();
    /// Makes this lock a copy of source, position by position; marks changed.
    /// Nothing happens when source is this lock.
    void Assign(const TKeyLock &source);
    /// Appends new positions or frees them from the last one until there are
    /// count; marks changed even when the count stays.
    void SetCount(int count);
    /// Checks the codes of every position; at the first failing one stores
    /// "Ключ. Положение N. " and the codes' message in ErrorText and returns
    /// false.
    bool Validate() const;

private:
    std::vector<std::unique_ptr<TKeyPosition>> FItems;
    // The message of the latest check; a check is a reading of the object.
    mutable QString FErrorText;
};
