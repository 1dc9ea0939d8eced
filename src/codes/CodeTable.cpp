#include "codes/CodeTable.h"

#include "base/Error.h"
#include "codes/CodeSet.h"
#include "codes/KeyText.h"
#include "codes/LastingCodes.h"

#include <algorithm>

namespace {

// The key of a name in the name index: the name with ASCII letters in lower
// case; nothing for a name with other characters, which is looked up by
// comparing (case folding takes, for instance, the Kelvin sign to "k").
std::optional<QString> NameKey(QStringView name)
{
    QString key(name.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (c >= 0x80)
            return std::nullopt;
        key[i] = QChar(c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c);
    }
    return key;
}

// A code of two to seven bytes as one number: the bytes, the length in the
// top byte and whether it is a break code in the top bit; 0 for any other
// length.
uint64_t PackedCode(QByteArrayView bytes, bool isBreak)
{
    if (bytes.size() < 2 || bytes.size() > 7)
        return 0;
    uint64_t key = uint64_t(bytes.size()) << 56 | uint64_t(isBreak) << 63;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        key |= uint64_t(uint8_t(bytes[i])) << (8 * i);
    return key;
}

size_t PackedSlot(uint64_t key, size_t mask)
{
    return size_t((key * 0x9E3779B97F4A7C15ull) >> 32) & mask;
}

// The same into out, which has room for the name; false for a name with
// other characters.
bool LowerAscii(QStringView name, char16_t *out)
{
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (c >= 0x80)
            return false;
        out[i] = c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
    }
    return true;
}

} // namespace

TStdCode::TStdCode(TCodeTable *table)
{
    SetTable(table);
}

TScanCode TStdCode::Item(bool isBreak) const
{
    return TScanCode(isBreak ? BreakCode : MakeCode, Name, ScanCode, isBreak ? ctBreak : ctMake);
}

void TStdCode::SetTable(TCodeTable *table)
{
    if (table == FTable)
        return;
    std::unique_ptr<TStdCode> self;
    if (FTable)
        self = FTable->Detach(this);
    else
        self.reset(this); // a free entry becomes owned by its new table
    FTable = table;
    if (table)
        table->Append(std::move(self));
    else
        (void)self.release(); // out of any table: the caller owns it again
}

TCodeTable::TCodeTable(QString name) : Name(std::move(name)) {}

TCodeTable::~TCodeTable() = default;

std::unique_ptr<TStdCode> TCodeTable::Detach(TStdCode *entry)
{
    const auto it =
        std::find_if(FItems.begin(), FItems.end(), [entry](const auto &p) { return p.get() == entry; });
    std::unique_ptr<TStdCode> owned = std::move(*it);
    FItems.erase(it);
    ClearIndex();
    for (const auto &item : FItems)
        Index(*item);
    return owned;
}

void TCodeTable::Append(std::unique_ptr<TStdCode> entry)
{
    Index(*entry);
    FItems.push_back(std::move(entry));
}

void TCodeTable::Index(const TStdCode &entry)
{
    Changed();
    // The first entry of a code keeps its place: lookups find the first match.
    if (!FByMake.contains(entry.MakeCode))
        FByMake.insert(entry.MakeCode, &entry);
    if (!entry.BreakCode.isEmpty() && !FByBreak.contains(entry.BreakCode))
        FByBreak.insert(entry.BreakCode, &entry);
    if (entry.MakeCode.size() == 1 && !FByMakeByte[uint8_t(entry.MakeCode[0])])
        FByMakeByte[uint8_t(entry.MakeCode[0])] = &entry;
    if (entry.BreakCode.size() == 1 && !FByBreakByte[uint8_t(entry.BreakCode[0])])
        FByBreakByte[uint8_t(entry.BreakCode[0])] = &entry;
    for (const bool isBreak : {false, true}) {
        const QByteArray &code = isBreak ? entry.BreakCode : entry.MakeCode;
        if (!code.isEmpty())
            FCodeLengths[isBreak][uint8_t(code.front())] |= uint8_t(1u << (std::min<qsizetype>(code.size(), 8) - 1));
    }
    if (const uint64_t key = PackedCode(entry.MakeCode, false))
        IndexPacked(key, &entry);
    if (const uint64_t key = PackedCode(entry.BreakCode, true))
        IndexPacked(key, &entry);
    if (const std::optional<QString> key = NameKey(entry.Name)) {
        if (!FByName.contains(*key))
            FByName.insert(*key, &entry);
    } else {
        ++FOtherNames;
    }
}

void TCodeTable::ClearIndex()
{
    Changed();
    FByMake.clear();
    FByBreak.clear();
    FByMakeByte.fill(nullptr);
    FByBreakByte.fill(nullptr);
    for (std::array<uint8_t, 256> &lengths : FCodeLengths)
        lengths.fill(0);
    FPacked.clear();
    FPackedCount = 0;
    FByName.clear();
    FOtherNames = 0;
}

TStdCode &TCodeTable::Add(const QString &name, const QByteArray &scanCode, const QByteArray &breakCode,
                          const QByteArray &makeCode)
{
    // Every code item a layout holds copies these: kept for good, they are
    // copied and freed without touching a reference count.
    auto entry = std::make_unique<TStdCode>();
    entry->Name = LastingName(name);
    entry->ScanCode = LastingBytes(scanCode);
    entry->BreakCode = LastingBytes(breakCode);
    entry->MakeCode = LastingBytes(makeCode);
    entry->FTable = this;
    Append(std::move(entry));
    return *FItems.back();
}

void TCodeTable::Clear()
{
    FItems.clear();
    ClearIndex();
}

void TCodeTable::BuildFrom(const TCodeSet &codeSet)
{
    Clear();
    int maxLength = 0;
    for (int g = 0; g < codeSet.Count(); ++g) {
        const TCodeTable &group = codeSet.Item(g);
        for (int i = 0; i < group.Count(); ++i) {
            const TStdCode &entry = group.Item(i);
            Add(entry.Name, entry.ScanCode, entry.BreakCode, entry.MakeCode);
            maxLength = std::max({maxLength, int(entry.MakeCode.size()), int(entry.BreakCode.size())});
        }
    }
    FMaxCodeLength = maxLength;
}

std::optional<TScanCode> TCodeTable::FindByName(QStringView name, bool isBreak) const
{
    // Between ASCII names, ignoring letter case is comparing in lower case.
    // Names are short: the key is made on the stack and only borrowed.
    if (FOtherNames == 0) {
        constexpr qsizetype kShortName = 64;
        std::optional<QString> key;
        char16_t buffer[kShortName];
        if (name.size() <= kShortName) {
            if (LowerAscii(name, buffer))
                key = QString::fromRawData(reinterpret_cast<const QChar *>(buffer), name.size());
        } else {
            key = NameKey(name);
        }
        if (key) {
            const TStdCode *entry = FByName.value(*key);
            return entry ? std::optional(entry->Item(isBreak)) : std::nullopt;
        }
    }
    for (const auto &entry : FItems)
        if (QStringView(entry->Name).compare(name, Qt::CaseInsensitive) == 0)
            return entry->Item(isBreak);
    return std::nullopt;
}

std::optional<TScanCode> TCodeTable::FindByScanCode(const QByteArray &scanCode, bool isBreak) const
{
    for (const auto &entry : FItems)
        if (entry->ScanCode == scanCode)
            return entry->Item(isBreak);
    return std::nullopt;
}

std::optional<TScanCode> TCodeTable::FindMake(const QByteArray &bytes) const
{
    if (const TStdCode *entry = EntryByCode(bytes, false))
        return entry->Item(false);
    return std::nullopt;
}

std::optional<TScanCode> TCodeTable::FindBreak(const QByteArray &bytes) const
{
    if (const TStdCode *entry = EntryByCode(bytes, true))
        return entry->Item(true);
    return std::nullopt;
}

const TStdCode *TCodeTable::EntryByCode(QByteArrayView bytes, bool isBreak) const
{
    // Most make codes are one byte, and decoding tries one byte first.
    if (bytes.size() == 1)
        return (isBreak ? FByBreakByte : FByMakeByte)[uint8_t(bytes[0])];
    if (const uint64_t key = PackedCode(bytes, isBreak))
        return FindPacked(key);
    // An empty break code stands for "no release code" and is not indexed;
    // the key only borrows the bytes.
    const QHash<QByteArray, const TStdCode *> &index = isBreak ? FByBreak : FByMake;
    return index.value(QByteArray::fromRawData(bytes.data(), bytes.size()), nullptr);
}

void TCodeTable::IndexPacked(uint64_t key, const TStdCode *entry)
{
    if (2 * (FPackedCount + 1) > int(FPacked.size())) {
        std::vector<TPackedSlot> old(std::max<size_t>(64, 2 * FPacked.size()));
        old.swap(FPacked);
        FPackedCount = 0;
        for (const TPackedSlot &slot : old)
            if (slot.Key != 0)
                IndexPacked(slot.Key, slot.Entry);
    }
    const size_t mask = FPacked.size() - 1;
    for (size_t i = PackedSlot(key, mask);; i = (i + 1) & mask) {
        if (FPacked[i].Key == key)
            return; // the first entry of a code keeps its place
        if (FPacked[i].Key == 0) {
            FPacked[i] = {key, entry};
            ++FPackedCount;
            return;
        }
    }
}

const TStdCode *TCodeTable::FindPacked(uint64_t key) const
{
    if (FPacked.empty())
        return nullptr;
    const size_t mask = FPacked.size() - 1;
    for (size_t i = PackedSlot(key, mask);; i = (i + 1) & mask) {
        if (FPacked[i].Key == key)
            return FPacked[i].Entry;
        if (FPacked[i].Key == 0)
            return nullptr;
    }
}

std::optional<TScanCode> TCodeTable::CodeForKeyMessage(const TKeyMessage &message, TKeyCapture which) const
{
    const bool isPress = message.IsPress();
    const bool isRelease = message.IsRelease();
    if (!isPress && !isRelease)
        return std::nullopt;
    if ((isPress && which == kcReleases) || (isRelease && which == kcPresses))
        return std::nullopt;
    // A key held down repeats its key-down message with the previous-state bit.
    if (isPress && message.WasDown())
        return std::nullopt;
    if (message.RepeatCount() != 1)
        return std::nullopt;
    QByteArray scanCode;
    if (message.IsExtended())
        scanCode.append(char(0xE0));
    scanCode.append(char(message.ScanByte()));
    try {
        return FindByScanCode(scanCode, isRelease);
    } catch (const EError &) {
        return std::nullopt;
    }
}

const QString &TCodeTable::EntryKeyText(const TStdCode &entry, bool isBreak) const
{
    if (!FKeyTextsMade.load(std::memory_order_acquire)) {
        const std::lock_guard lock(FKeyTextsMutex);
        if (!FKeyTextsMade.load(std::memory_order_relaxed)) {
            for (const auto &item : FItems)
                for (const bool asBreak : {false, true})
                    item->FKeyTexts[asBreak] = ComputedKeyText(*this, item->Item(asBreak));
            FKeyTextsMade.store(true, std::memory_order_release);
        }
    }
    return entry.FKeyTexts[isBreak];
}
