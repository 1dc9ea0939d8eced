#pragma once

#include "model/KeyPicture.h"
#include "model/Notes.h"
#include "model/Notifier.h"
#include "model/ScanCodes.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class TKeys;

/// What a key does.
enum TKeyType : uint8_t {
    ktNone = 0, ///< no type; in the multi-key editor: the selected keys differ
    ktMacro = 1, ///< sends its code sequences
    ktLayerUp = 2,
    ktLayerDown = 3,
    ktLayer1 = 4,
    ktLayer2 = 5,
    ktLayer3 = 6,
    ktLayer4 = 7,
    ktTempLayer1 = 8,
    ktTempLayer2 = 9,
    ktTempLayer3 = 10,
    ktTempLayer4 = 11,
};

/// The greatest key type value.
inline constexpr int kLastKeyType = ktTempLayer4;

/// Returns the text the key dialog shows for a key type (1 to 11), empty for
/// any other value.
QString KeyTypeName(int keyType);

/// One key of one layer: its function, codes, melody, remark and picture.
class TKey : public TNotifyObject {
public:
    TKey(TKeys *owner, int col, int row, int logicalNumber, TNotifier *notifier);
    ~TKey() override;
    // Layouts are made and freed hundreds of keys at a time: freed keys are
    // kept per thread for the next ones.
    static void *operator new(size_t size);
    static void operator delete(void *key, size_t size);

    const QString &Remark() const { return FRemark; }
    void SetRemark(const QString &value);
    /// Column, counted from 0.
    int Col() const { return FCol; }
    /// Row, counted from 0.
    int Row() const { return FRow; }
    int LogicalNumber() const { return FLogicalNumber; }
    void SetLogicalNumber(int value);
    TKeys *Owner() const { return FOwner; }
    const TNotes &Melody() const { return FMelody; }
    TNotes &Melody() { return FMelody; }
    TKeyType KeyType() const { return FKeyType; }
    void SetKeyType(TKeyType value);
    bool AutoRepeat() const { return FAutoRepeat; }
    void SetAutoRepeat(bool value);
    const TKeyPicture &Picture() const { return FPicture; }
    TKeyPicture &Picture() { return FPicture; }
    const TScanCodes &MakeCodes() const { return FMakeCodes; }
    TScanCodes &MakeCodes() { return FMakeCodes; }
    const TScanCodes &BreakCodes() const { return FBreakCodes; }
    TScanCodes &BreakCodes() { return FBreakCodes; }

    /// Copies remark, type, repeat, melody and both code sequences (not the
    /// cell, the number or the picture) and marks the key changed.
    void AssignContent(const TKey &source);
    /// Empties remark, codes and melody, makes it a macro key without repeat;
    /// the picture stays.
    void Clear();
    /// Returns whether the key holds nothing a file needs to store.
    bool IsEmpty() const;

private:
    QString FRemark;
    int FCol;
    int FRow;
    int FLogicalNumber;
    TKeys *FOwner;
    // The parts live inside the key: a key is one allocation.
    TNotes FMelody;
    TKeyType FKeyType = ktMacro;
    bool FAutoRepeat = false;
    TKeyPicture FPicture;
    TScanCodes FMakeCodes;
    TScanCodes FBreakCodes;
};

/// The keys of one layer, in the order the keyboard description lists them.
class TKeys : public TNotifyObject {
public:
    explicit TKeys(TNotifier *notifier = nullptr);
    ~TKeys() override;

    int Count() const { return int(FItems.size()); }
    const TKey &Item(int index) const { return *FItems[size_t(index)]; }
    TKey &Item(int index) { return *FItems[size_t(index)]; }

    /// Appends a key with default content; marks the list changed.
    TKey &Add(int col, int row, int logicalNumber);
    void Clear();
    /// Returns the first key at the cell (from 0), or null.
    const TKey *KeyAt(int col, int row) const;
    TKey *KeyAt(int col, int row);
    /// Returns the first key with the logical number, or null.
    const TKey *KeyByNumber(int logicalNumber) const;
    TKey *KeyByNumber(int logicalNumber);
    /// Makes this list a copy of source: cells, numbers, content and pictures.
    void Assign(const TKeys &source);
    /// Copies into every key the content (not the picture) of the source key
    /// with the same logical number, where there is one.
    void CopyByNumber(const TKeys &source);

private:
    friend class TKey;
    /// Forgets the lookup tables; a key calls it when its number changes.
    void Reindex() { FIndexed = false; }
    void BuildIndex() const;

    std::vector<std::unique_ptr<TKey>> FItems;
    // The index of the first key of every logical number and of every cell
    // (column-major, rows as the keys' greatest row + 1), -1 for none; made
    // on the first lookup after a change, since the image formats look up
    // every key by number and cell.
    mutable std::vector<int> FByNumber;
    mutable std::vector<int> FByCell;
    mutable int FCellRows = 0;
    mutable bool FIndexed = false;
};
