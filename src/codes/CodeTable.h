#pragma once

#include "codes/KeyMessage.h"
#include "codes/ScanCode.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringView>
#include <algorithm>
#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

class TCodeSet;
class TCodeTable;

/// One standard key of a PC keyboard: its name and its codes.
class TStdCode {
public:
    /// Creates the entry; a table given here owns it from now on.
    explicit TStdCode(TCodeTable *table = nullptr);
    TStdCode(const TStdCode &) = delete;
    TStdCode &operator=(const TStdCode &) = delete;

    /// Returns the table that owns the entry, or null.
    TCodeTable *Table() const { return FTable; }
    /// Moves the entry to the end of another table (which then owns it), or
    /// out of any table (the caller then owns it).
    void SetTable(TCodeTable *table);

    /// PS/2 bytes (scan code set 2) sent when the key is pressed.
    QByteArray MakeCode;
    /// The scan code (set 1) the system reports, E0h in front for extended keys.
    QByteArray ScanCode;
    /// PS/2 bytes sent when the key is released; may be empty.
    QByteArray BreakCode;
    /// Key name; lookups by name ignore letter case.
    QString Name;

    /// Returns the make (or, with isBreak, the break) item of this key, as a
    /// free-standing code item.
    TScanCode Item(bool isBreak) const;

private:
    friend class TCodeTable;
    TCodeTable *FTable = nullptr;
    // The key texts of the make and break item, made by the table.
    QString FKeyTexts[2];
};

/// An ordered list of standard keys: one group of the code set, or the flat
/// table of all groups. Lookups return the first match in list order, as a
/// free-standing code item filled from the entry.
class TCodeTable {
public:
    explicit TCodeTable(QString name = {});
    ~TCodeTable();
    TCodeTable(const TCodeTable &) = delete;
    TCodeTable &operator=(const TCodeTable &) = delete;

    int Count() const { return int(FItems.size()); }
    TStdCode &Item(int index) const { return *FItems[size_t(index)]; }

    /// Group name.
    QString Name;
    /// Returns the greatest length of any make or break code; set by BuildFrom
    /// only (0 for a group).
    int MaxCodeLength() const { return FMaxCodeLength; }
    /// Returns whether a make (or, with isBreak, a break) code of length
    /// bytes (from 1) begins with firstByte; lengths from 8 on are answered
    /// together, so a true answer for them is only a maybe.
    bool MayHaveCode(uint8_t firstByte, qsizetype length, bool isBreak) const
    {
        return (FCodeLengths[isBreak][firstByte] >> (std::min<qsizetype>(length, 8) - 1)) & 1u;
    }

    /// Appends a new entry with these fields and returns it.
    TStdCode &Add(const QString &name, const QByteArray &scanCode, const QByteArray &breakCode,
                  const QByteArray &makeCode);
    /// Frees all entries.
    void Clear();
    /// Replaces the entries by copies of every entry of every group of the set,
    /// in order, and sets MaxCodeLength.
    void BuildFrom(const TCodeSet &codeSet);

    /// Returns the make (or, with isBreak, the break) item of the first entry
    /// whose name equals name, letter case ignored; none when there is none.
    std::optional<TScanCode> FindByName(QStringView name, bool isBreak) const;
    /// Returns the make or break item of the first entry with exactly this
    /// scan code, or none.
    std::optional<TScanCode> FindByScanCode(const QByteArray &scanCode, bool isBreak) const;
    /// Returns the make item of the first entry whose make code equals bytes,
    /// or none.
    std::optional<TScanCode> FindMake(const QByteArray &bytes) const;
    /// Returns the break item of the first entry whose break code equals
    /// bytes, or none (an empty break code is never found).
    std::optional<TScanCode> FindBreak(const QByteArray &bytes) const;
    /// Returns the first entry whose make code (or, with isBreak, break
    /// code) equals bytes, or null; an empty break code is never found.
    const TStdCode *EntryByCode(QByteArrayView bytes, bool isBreak) const;
    /// Returns the item of the key a keyboard message reports: the make item
    /// for a first press, the break item for a release, as which allows;
    /// none for repeats, other messages and unknown keys.
    std::optional<TScanCode> CodeForKeyMessage(const TKeyMessage &message, TKeyCapture which) const;
    /// Returns the key text (see KeyText.h) of an entry's make or break
    /// item. The texts of all entries are made on the first call after a
    /// change of the table, so that writing codes does not look names up
    /// again for every item.
    const QString &EntryKeyText(const TStdCode &entry, bool isBreak) const;

private:
    friend class TStdCode;
    std::unique_ptr<TStdCode> Detach(TStdCode *entry);
    void Append(std::unique_ptr<TStdCode> entry);
    void Index(const TStdCode &entry);
    void ClearIndex();
    void Changed() { FKeyTextsMade.store(false, std::memory_order_release); }

    std::vector<std::unique_ptr<TStdCode>> FItems;
    // The first entry of every make and break code, so that decoding bytes
    // does not scan the table once per byte.
    QHash<QByteArray, const TStdCode *> FByMake;
    QHash<QByteArray, const TStdCode *> FByBreak;
    // The same for the codes of two to seven bytes, packed into one number
    // with their length and kind (see PackedCode) in an open-addressing
    // table of a power-of-two size, at most half full; a free slot holds 0.
    struct TPackedSlot {
        uint64_t Key = 0;
        const TStdCode *Entry = nullptr;
    };
    std::vector<TPackedSlot> FPacked;
    int FPackedCount = 0;
    void IndexPacked(uint64_t key, const TStdCode *entry);
    const TStdCode *FindPacked(uint64_t key) const;
    // The same for the codes of one byte, looked up without hashing.
    std::array<const TStdCode *, 256> FByMakeByte{};
    std::array<const TStdCode *, 256> FByBreakByte{};
    // For make and for break codes, per first byte, one bit per length (1 to
    // 7, and 8 for all longer) of the codes that begin with it: splitting
    // bytes into codes skips the lookups no code can answer.
    std::array<uint8_t, 256> FCodeLengths[2]{};
    // The first entry of every ASCII name in lower case, for lookups by
    // name; the entries with other names are counted, and while there are
    // any, lookups compare every name.
    QHash<QString, const TStdCode *> FByName;
    int FOtherNames = 0;
    int FMaxCodeLength = 0;
    // Whether every entry holds its key texts; made under the mutex, since
    // the standard table is read from more than one thread.
    mutable std::atomic<bool> FKeyTextsMade{false};
    mutable std::mutex FKeyTextsMutex;
};
