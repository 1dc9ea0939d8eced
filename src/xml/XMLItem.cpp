#include "xml/XMLItem.h"

#include "base/Numbers.h"
#include "base/Win1251.h"
#include "xml/ECXMLParser.h"
#include "xml/XMLEntities.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

// Names match with letter case ignored. Case folding keeps the length of
// every UTF-16 unit, so names of different lengths never match; a shared
// text, and then an exact copy, match at once, and only the rest is folded
// character by character.
bool SameName(QStringView name, const QString &other)
{
    if (name.size() != other.size())
        return false;
    if (name.isEmpty() || name.data() == other.constData()
        || std::memcmp(name.data(), other.constData(), size_t(name.size()) * sizeof(QChar)) == 0)
        return true;
    return name.compare(other, Qt::CaseInsensitive) == 0;
}

// The freed items of one thread, as a list through their own memory; at
// most kKeptItems are kept, the rest go back to the heap. The list itself
// has no destructor, so that items freed at the thread's very end (after
// the guard below) still find it; they then go back to the heap.
struct TFreeItems {
    static constexpr int kKeptItems = 1 << 15;
    struct TFree {
        TFree *Next;
    };
    TFree *First = nullptr;
    int Count = 0;
    bool Closed = false;

    void *Take()
    {
        if (!First)
            return nullptr;
        TFree *item = First;
        First = item->Next;
        --Count;
        return item;
    }
    bool Keep(void *memory)
    {
        if (Closed || Count >= kKeptItems)
            return false;
        First = new (memory) TFree{First};
        ++Count;
        return true;
    }
    void Close()
    {
        Closed = true;
        while (First)
            ::operator delete(Take());
    }
};

thread_local TFreeItems freeItems;

// Gives the kept items back when the thread ends.
struct TFreeItemsGuard {
    TFreeItemsGuard() = default;
    ~TFreeItemsGuard() { freeItems.Close(); }
};

thread_local TFreeItemsGuard freeItemsGuard;

} // namespace

void *TXMLItem::operator new(size_t size)
{
    (void)&freeItemsGuard; // constructed with the thread's first item
    if (size == sizeof(TXMLItem))
        if (void *memory = freeItems.Take())
            return memory;
    return ::operator new(size);
}

void TXMLItem::operator delete(void *item, size_t size)
{
    if (size == sizeof(TXMLItem) && freeItems.Keep(item))
        return;
    ::operator delete(item);
}

TXMLItem::TXMLItem(TECXMLParser *owner) : FOwner(owner) {}

TXMLItem::~TXMLItem()
{
    FNotify = false;
}

void TXMLItem::Changed()
{
    if (FNotify && FOwner)
        FOwner->ItemChanged(*this);
}

void TXMLItem::SetName(const QString &name)
{
    FName = name;
    Changed();
}

void TXMLItem::SetText(const QString &text)
{
    FText = text;
    Changed();
}

std::vector<TXMLItem::TAttribute>::const_iterator TXMLItem::FindAttribute(QStringView name) const
{
    return std::find_if(FAttributes.begin(), FAttributes.end(),
                        [&](const TAttribute &a) { return SameName(name, a.first); });
}

bool TXMLItem::HasAttribute(QStringView name) const
{
    return FindAttribute(name) != FAttributes.end();
}

const QString &TXMLItem::Value(size_t index) const
{
    if (FRaw && FRaw[index].Data) {
        TRawValue &raw = FRaw[index];
        FAttributes[index].second = DecodeAttributeValue(QByteArrayView(raw.Data, raw.Size));
        raw.Data = nullptr;
    }
    return FAttributes[index].second;
}

void TXMLItem::DecodeAll() const
{
    for (size_t i = 0; i < FAttributes.size(); ++i)
        Value(i);
    FRaw = nullptr;
}

void TXMLItem::DecodeTree()
{
    if (FRaw)
        DecodeAll();
    for (auto &item : FItems)
        item->DecodeTree();
}

QString TXMLItem::Attribute(QStringView name) const
{
    const auto found = FindAttribute(name);
    return found == FAttributes.end() ? QString() : Value(size_t(found - FAttributes.begin()));
}

int TXMLItem::IntAttribute(QStringView name) const
{
    const auto found = FindAttribute(name);
    if (found == FAttributes.end())
        return StrToInt(QString());
    return IntValue(size_t(found - FAttributes.begin()));
}

int TXMLItem::IntAttribute(QStringView name, int fallback) const
{
    const auto found = FindAttribute(name);
    return found == FAttributes.end() ? fallback : IntValue(size_t(found - FAttributes.begin()));
}

int TXMLItem::IntValue(size_t index) const
{
    // Numbers are short and hold no entity: read from the bytes, converted
    // on the stack, they need no text of their own.
    constexpr qsizetype kShortValue = 32;
    if (FRaw && FRaw[index].Data) {
        const QByteArrayView raw(FRaw[index].Data, FRaw[index].Size);
        if (raw.size() <= kShortValue && !raw.contains('&')) {
            char16_t text[kShortValue];
            for (qsizetype i = 0; i < raw.size(); ++i)
                text[i] = Win1251Char(uint8_t(raw[i]));
            return StrToInt(QStringView(text, raw.size()));
        }
    }
    return StrToInt(Value(index));
}

void TXMLItem::ReserveAttributes(int count)
{
    FAttributes.reserve(size_t(count));
}

void TXMLItem::SetAttribute(const QString &name, const QString &value)
{
    if (FRaw)
        DecodeAll();
    const auto found = FAttributes.begin() + (FindAttribute(name) - FAttributes.cbegin());
    if (value.isEmpty()) {
        if (found != FAttributes.end())
            FAttributes.erase(found);
    } else if (found != FAttributes.end()) {
        found->second = value;
    } else {
        // Elements of a layout carry a few attributes each: room for some at
        // once spares the first reallocations.
        if (FAttributes.capacity() == 0)
            FAttributes.reserve(4);
        FAttributes.emplace_back(name, value);
    }
}

void TXMLItem::SetParent(TXMLItem *parent)
{
    if (parent == FParent)
        return;
    if (!parent || parent->FOwner != FOwner)
        DecodeTree();
    std::unique_ptr<TXMLItem> self;
    if (FParent)
        self = FParent->Detach(this);
    else
        self.reset(this); // a free item becomes owned by its new parent
    FParent = parent;
    if (parent) {
        parent->FItems.push_back(std::move(self));
        SetOwner(parent->FOwner);
    } else {
        (void)self.release(); // out of any tree: the caller owns it again
    }
}

void TXMLItem::SetOwner(TECXMLParser *owner)
{
    if (owner != FOwner && FRaw)
        DecodeAll();
    FOwner = owner;
    for (auto &item : FItems)
        item->SetOwner(owner);
}

void TXMLItem::Clear()
{
    const bool notify = FNotify;
    FNotify = false;
    FItems.clear();
    FAttributes.clear();
    FRaw = nullptr;
    FName.clear();
    FText.clear();
    FNotify = notify;
}

TXMLItem *TXMLItem::New()
{
    auto child = std::make_unique<TXMLItem>(FOwner);
    child->FParent = this;
    // Elements with children mostly have a few: room for them at once
    // spares the first regrowths.
    if (FItems.capacity() == 0)
        FItems.reserve(4);
    FItems.push_back(std::move(child));
    Changed();
    return FItems.back().get();
}

void TXMLItem::Delete(int index)
{
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TXMLItem::Move(TXMLItem *child, int newIndex)
{
    const int from = IndexOf(child);
    if (from < 0 || newIndex < 0 || newIndex >= Count() || from == newIndex)
        return;
    auto holder = std::move(FItems[size_t(from)]);
    FItems.erase(FItems.begin() + from);
    FItems.insert(FItems.begin() + newIndex, std::move(holder));
}

int TXMLItem::IndexOf(const TXMLItem *child) const
{
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == child)
            return int(i);
    return -1;
}

int TXMLItem::IndexOfName(QStringView name, int start) const
{
    for (int i = std::max(start, 0); i < Count(); ++i)
        if (SameName(name, FItems[size_t(i)]->FName))
            return i;
    return -1;
}

TXMLItem *TXMLItem::FindChild(QStringView name) const
{
    for (const auto &item : FItems)
        if (item->FName == name)
            return item.get();
    return nullptr;
}

std::unique_ptr<TXMLItem> TXMLItem::Detach(TXMLItem *child)
{
    const int index = IndexOf(child);
    if (index < 0)
        return nullptr;
    auto holder = std::move(FItems[size_t(index)]);
    FItems.erase(FItems.begin() + index);
    return holder;
}
