#include "model/ScanCodes.h"

#include "base/Error.h"
#include "base/HexText.h"
#include "base/Numbers.h"
#include "codes/KeyText.h"
#include "codes/LastingCodes.h"
#include "codes/StdCodes.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace {

// Whether items holding this many bytes more can join the sequence. A full
// sequence takes no further item at all, not even one without bytes.
bool Fits(const TScanCodes &codes, qsizetype extra)
{
    const int length = codes.DataLength();
    return length < kMaxScanCodesLength && length + extra <= kMaxScanCodesLength;
}

TScanCode ByteItem(const QByteArray &bytes, const QString &name)
{
    TScanCode item;
    item.SetData(bytes);
    item.Name = name;
    item.CodeType = ctByte;
    return item;
}

// The byte item of a byte the code table does not start a code with, named
// by its hexadecimal text; made once per byte value, of texts kept for good
// like the table's, so that copies of it touch no reference count.
const TScanCode &SingleByteItem(uint8_t byte)
{
    static const std::vector<TScanCode> *const items = [] {
        auto *made = new std::vector<TScanCode>; // never freed: copies may outlive statics
        made->reserve(256);
        for (int value = 0; value < 256; ++value) {
            const QByteArray bytes(1, char(value));
            made->push_back(ByteItem(LastingBytes(bytes), LastingName(BytesToHex(bytes))));
        }
        return made;
    }();
    return (*items)[byte];
}

// The entry of the shortest make or break code of the table that bytes begin
// with, at most MaxCodeLength long, in isBreak which of its codes that is and
// in length its length; at equal length a make code wins.
const TStdCode *ShortestEntry(const TCodeTable &table, QByteArrayView bytes, bool &isBreak, qsizetype &length)
{
    const qsizetype longest = std::min(bytes.size(), qsizetype(table.MaxCodeLength()));
    const uint8_t first = uint8_t(bytes[0]);
    for (qsizetype n = 1; n <= longest; ++n)
        for (const bool asBreak : {false, true})
            if (table.MayHaveCode(first, n, asBreak))
                if (const TStdCode *entry = table.EntryByCode(bytes.first(n), asBreak)) {
                    isBreak = asBreak;
                    length = n;
                    return entry;
                }
    return nullptr;
}

// The same items, names and scan codes included.
bool SameItems(const TScanCodes &a, const TScanCodes &b)
{
    if (a.Count() != b.Count())
        return false;
    for (int i = 0; i < a.Count(); ++i) {
        const TScanCode &x = a.Item(i);
        const TScanCode &y = b.Item(i);
        if (!x.Equals(y) || x.Name != y.Name || x.ScanCode != y.ScanCode)
            return false;
    }
    return true;
}

// The pairing check: every press released once, no key pressed twice
// without a release between, no release before its press. Returns the
// message of the first fault, none for a valid sequence.
std::optional<QString> PairingError(const TScanCodes &codes)
{
    std::vector<const TScanCode *> open;
    const auto findOpen = [&open](const TScanCode &item) {
        return std::find_if(open.begin(), open.end(),
                            [&item](const TScanCode *p) { return p->ScanCode == item.ScanCode; });
    };
    for (int i = 0; i < codes.Count(); ++i) {
        const TScanCode &item = codes.Item(i);
        if (item.CodeType == ctMake) {
            const auto it = findOpen(item);
            if (it != open.end())
                return QCoreApplication::translate("TScanCodes", "Код %1: Два нажатия подряд.")
                    .arg((*it)->Text());
            open.push_back(&item);
        } else if (item.CodeType == ctBreak) {
            const auto it = findOpen(item);
            if (it == open.end())
                return QCoreApplication::translate("TScanCodes", "Код %1: Отжатие перед нажатием.")
                    .arg(item.Text());
            open.erase(it);
        }
    }
    if (!open.empty())
        return QCoreApplication::translate("TScanCodes", "Код %1: Нет отжатия.").arg(open.front()->Text());
    return std::nullopt;
}

} // namespace

void RaiseScanCodesTooLong()
{
    throw EError(QCoreApplication::translate("TScanCodes", "Длина скан-кодов не может превышать 255 байт."));
}

TScanCodes::TScanCodes(TNotifier *notifier) : TNotifyObject(notifier) {}

void TScanCodes::Reserve()
{
    // Sequences hold a few items: room for some at once spares the first
    // regrowths.
    if (FItems.capacity() == 0)
        FItems.reserve(4);
}

TScanCodes::~TScanCodes() = default;

TScanCode &TScanCodes::Add()
{
    if (DataLength() >= kMaxScanCodesLength)
        RaiseScanCodesTooLong();
    Reserve();
    FItems.emplace_back(this);
    Change();
    return FItems.back();
}

TScanCode &TScanCodes::Append(const TScanCode &item)
{
    // Filled while free-standing, so that the bytes are not counted again.
    TScanCode copy;
    copy.Assign(item);
    return Append(std::move(copy));
}

TScanCode &TScanCodes::Append(TScanCode &&item)
{
    Reserve();
    TScanCode &added = FItems.emplace_back(std::move(item));
    added.SetOwner(this);
    Change();
    return added;
}

void TScanCodes::Remove(TScanCode *item)
{
    const auto it =
        std::find_if(FItems.begin(), FItems.end(), [item](const TScanCode &p) { return &p == item; });
    if (it == FItems.end())
        return;
    FItems.erase(it);
    Change();
}

void TScanCodes::Clear()
{
    if (FItems.empty())
        return;
    FItems.clear();
    Change();
}

void TScanCodes::Assign(const TScanCodes &source)
{
    if (Equals(source))
        return;
    Clear();
    FItems.reserve(source.FItems.size());
    for (const TScanCode &item : source.FItems)
        Append(item);
}

bool TScanCodes::Equals(const TScanCodes &other) const
{
    if (Count() != other.Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (!Item(i).Equals(other.Item(i)))
            return false;
    return true;
}

QByteArray TScanCodes::Data() const
{
    QByteArray data;
    data.reserve(DataLength());
    for (const TScanCode &item : FItems)
        data.append(item.Data());
    return data;
}

int TScanCodes::DataLength() const
{
    int length = 0;
    for (const TScanCode &item : FItems)
        length += int(item.Data().size());
    return length;
}

QString TScanCodes::Text() const
{
    // The item texts joined into one string, without a string per item.
    QString text;
    text.reserve(8 * qsizetype(FItems.size()));
    const TCodeTable &table = StdCodeTable();
    for (const TScanCode &item : FItems) {
        if (&item != &FItems.front())
            text.append(u' ');
        switch (item.CodeType) {
        case ctMake:
            text.append(u'+').append(KeyText(table, item));
            break;
        case ctBreak:
            text.append(u'-').append(KeyText(table, item));
            break;
        case ctByte:
            text.append(item.Name);
            break;
        default:
            text.append(item.Text()); // raises for a code type out of range
        }
    }
    return text;
}

void TScanCodes::SetText(QStringView text)
{
    // Parsed apart first, so that a text giving the same items changes nothing.
    // Every item is a token: room for one per space-separated piece at once.
    TScanCodes parsed;
    parsed.FItems.reserve(size_t(std::min<qsizetype>(text.count(u' ') + 1, kMaxScanCodesLength)));
    int length = 0;
    for (qsizetype from = 0; from < text.size();) {
        qsizetype to = text.indexOf(u' ', from);
        if (to < 0)
            to = text.size();
        const QStringView token = text.sliced(from, to - from);
        from = to + 1;
        if (token.isEmpty())
            continue;
        if (parsed.ParseToken(token))
            length += int(parsed.FItems.back().Data().size());
        // A full sequence takes no further token.
        if (length >= kMaxScanCodesLength)
            break;
    }
    if (SameItems(*this, parsed))
        return;
    FItems = std::move(parsed.FItems);
    for (TScanCode &item : FItems)
        item.SetOwner(this);
    Change();
}

bool TScanCodes::ParseToken(QStringView token)
{
    if (token.isEmpty())
        return false;
    std::optional<TScanCode> item;
    if (token[0] == u'+' || token[0] == u'-') {
        const QStringView name = token.mid(1);
        if (name.isEmpty())
            return false;
        item = FindByKeyText(StdCodeTable(), name, token[0] == u'-');
    } else if (const std::optional<uint32_t> value = ParseHex(token)) {
        // Only the low byte is sent; the name keeps the token as typed, which
        // mostly is the byte's own hexadecimal name.
        const TScanCode &named = SingleByteItem(uint8_t(*value & 0xFFu));
        item = named.Name == token ? named : ByteItem(named.Data(), token.toString());
    }
    if (!item || !Fits(*this, item->Data().size()))
        return false;
    Append(std::move(*item));
    return true;
}

TScanCode &TScanCodes::AddBytes(const QByteArray &bytes)
{
    if (!Fits(*this, bytes.size()))
        RaiseScanCodesTooLong();
    return Append(ByteItem(bytes, BytesToHex(bytes)));
}

void TScanCodes::AddCode16(uint16_t code)
{
    QByteArray bytes;
    if (code > 0xFF)
        bytes.append(char(code >> 8));
    if ((code & 0xFF) != 0)
        bytes.append(char(code & 0xFF));
    AddDecoded(bytes);
}

void TScanCodes::AddDecoded(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return;
    // The decoded items hold exactly the given bytes: check once, then split,
    // so that a refused sequence is not filled in part. Every item takes at
    // least one byte, and the sequence changes once.
    if (!Fits(*this, bytes.size()))
        RaiseScanCodesTooLong();
    // Split first, into the table's entries (null for a byte of its own),
    // so that room is made for exactly the items there are.
    const TCodeTable &table = StdCodeTable();
    // The length comes from the split itself: reading it from the entry
    // put a cache miss on the path from one piece to the next.
    struct TPiece {
        const TStdCode *Entry;
        qsizetype Start;
        bool IsBreak;
    };
    std::array<TPiece, kMaxScanCodesLength> pieces;
    size_t count = 0;
    for (qsizetype pos = 0; pos < bytes.size(); ++count) {
        TPiece &piece = pieces[count];
        piece.Start = pos;
        piece.IsBreak = false;
        qsizetype length = 1;
        piece.Entry = ShortestEntry(table, bytes.sliced(pos), piece.IsBreak, length);
        pos += length;
    }
    if (const size_t needed = FItems.size() + count; FItems.capacity() < needed)
        FItems.reserve(std::max(needed, 2 * FItems.capacity()));
    for (size_t i = 0; i < count; ++i) {
        const TPiece &piece = pieces[i];
        if (const TStdCode *entry = piece.Entry)
            // The entry's Item(), made in place: a copy through the stack
            // stalled on reading back what had just been written.
            FItems.emplace_back(piece.IsBreak ? entry->BreakCode : entry->MakeCode, entry->Name, entry->ScanCode,
                                piece.IsBreak ? ctBreak : ctMake);
        else
            FItems.push_back(SingleByteItem(uint8_t(bytes[piece.Start])));
        FItems.back().SetOwner(this);
    }
    Change();
}

const TScanCode *TScanCodes::FindByScanCode(const QByteArray &scanCode) const
{
    for (const TScanCode &item : FItems)
        if (item.ScanCode == scanCode)
            return &item;
    return nullptr;
}

TScanCode *TScanCodes::FindByScanCode(const QByteArray &scanCode)
{
    return const_cast<TScanCode *>(std::as_const(*this).FindByScanCode(scanCode));
}

bool TScanCodes::Validate() const
{
    if (const std::optional<QString> error = PairingError(*this)) {
        FErrorText = *error;
        return false;
    }
    return true;
}

bool TScanCodes::IsValid() const
{
    return !PairingError(*this);
}

QString TScanCodes::ShortText() const
{
    const QString text = Text();
    if (FItems.empty() || !IsValid())
        return text;
    QString result;
    std::vector<const TScanCode *> pressed;
    for (size_t i = 0; i < FItems.size(); ++i) {
        const TScanCode &item = FItems[i];
        if (item.CodeType == ctByte)
            return text;
        if (item.CodeType == ctMake) {
            pressed.push_back(&item);
            result.append(item.Name);
            if (i + 1 < FItems.size() && FItems[i + 1].CodeType == ctMake)
                result.append(u'+');
        } else {
            // Only keys released in the reverse order of their presses have
            // the compact form.
            if (pressed.empty() || pressed.back()->Name != item.Name)
                return text;
            pressed.pop_back();
            if (pressed.empty())
                result.append(u' ');
        }
    }
    if (result.endsWith(u' '))
        result.chop(1);
    return result;
}
