#include "xml/XMLItem.h"

#include "base/Numbers.h"
#include "base/ThreadFreeList.h"
#include "xml/ECXMLParser.h"
#include "xml/XMLEntities.h"

#include <algorithm>
#include <cstring>

namespace {

// Names match with letter case ignored. Case folding keeps the length of
// every UTF-16 unit, so names of different lengths never match; a shared
// text, and then an exact copy, match at once, and only the rest is folded
// character by character.
bool SameName(QStringView name, QStringView other)
{
    if (name.size() != other.size())
        return false;
    if (name.isEmpty() || name.data() == other.data())
        return true;
    // Names of one length mostly differ in their first letter already, in
    // either letter case.
    const char16_t first = name.front().unicode();
    const char16_t otherFirst = other.front().unicode();
    if (first == otherFirst && std::memcmp(name.data(), other.data(), size_t(name.size()) * sizeof(QChar)) == 0)
        return true;
    if (first < 0x80 && otherFirst < 0x80 && (first | 0x20) != (otherFirst | 0x20))
        return false;
    return name.compare(other, Qt::CaseInsensitive) == 0;
}

// Documents are made and freed thousands of items at a time.
using TFreeItems = TThreadFreeList<TXMLItem, 1 << 15>;

} // namespace

void *TXMLItem::operator new(size_t size)
{
    return TFreeItems::Allocate(size);
}

void TXMLItem::operator delete(void *item, size_t size)
{
    TFreeItems::Free(item, size);
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

TXMLArena *TXMLItem::Arena() const
{
    return FOwner ? &FOwner->FArena : nullptr;
}

size_t TXMLItem::FindAttribute(QStringView name) const
{
    for (size_t i = 0; i < FAttributes.size(); ++i)
        if (SameName(name, FAttributes[i].NameView()))
            return i;
    return kNone;
}

bool TXMLItem::HasAttribute(QStringView name) const
{
    return FindAttribute(name) != kNone;
}

QString TXMLItem::AttributeName(int index) const
{
    const TStoredAttribute &attribute = FAttributes[size_t(index)];
    // A name kept with the item is handed out as a copy of that text, which
    // may outlive the item; any other lives for good and is borrowed.
    for (const QString &text : FTexts)
        if (text.constData() == attribute.Name)
            return text;
    return QString::fromRawData(attribute.Name, attribute.NameSize);
}

QString TXMLItem::AttributeValue(int index) const
{
    return Value(size_t(index));
}

QByteArrayView TXMLItem::RawAttributeValue(int index) const
{
    const TStoredAttribute &attribute = FAttributes[size_t(index)];
    return attribute.Raw ? QByteArrayView(attribute.Raw, attribute.RawSizeOrText) : QByteArrayView();
}

QString TXMLItem::Value(size_t index) const
{
    const TStoredAttribute &attribute = FAttributes[index];
    if (attribute.Raw)
        return DecodeAttributeValue(QByteArrayView(attribute.Raw, attribute.RawSizeOrText));
    return FTexts[size_t(attribute.RawSizeOrText)];
}

int32_t TXMLItem::KeepText(const QString &text)
{
    FTexts.emplace_back(Arena(), text);
    return int32_t(FTexts.size() - 1);
}

void TXMLItem::StoreName(TStoredAttribute &attribute, const QString &name)
{
    // A text that owns no data (a literal, a text kept for good: no
    // capacity) lives as long as the program; any other is kept with the
    // item.
    const QString &kept = name.capacity() > 0 ? FTexts[size_t(KeepText(name))] : name;
    attribute.Name = kept.constData();
    attribute.NameSize = int32_t(kept.size());
}

void TXMLItem::DecodeAll()
{
    for (size_t i = 0; i < FAttributes.size(); ++i)
        if (FAttributes[i].Raw) {
            const int32_t text = KeepText(Value(i));
            FAttributes[i].Raw = nullptr;
            FAttributes[i].RawSizeOrText = text;
        }
}

QString TXMLItem::Attribute(QStringView name) const
{
    const size_t found = FindAttribute(name);
    return found == kNone ? QString() : Value(found);
}

int TXMLItem::IntAttribute(QStringView name) const
{
    const size_t found = FindAttribute(name);
    return found == kNone ? StrToInt(QString()) : IntValue(found);
}

int TXMLItem::IntAttribute(QStringView name, int fallback) const
{
    const size_t found = FindAttribute(name);
    return found == kNone ? fallback : IntValue(found);
}

int TXMLItem::IntValue(size_t index) const
{
    // A number still in the document's bytes is read from them: digits are
    // the same in either encoding. Anything else (an entity, a fault) goes
    // the way of the decoded text, which also gives the message.
    const TStoredAttribute &attribute = FAttributes[index];
    if (attribute.Raw)
        if (const std::optional<int32_t> value = ParseInt(QByteArrayView(attribute.Raw, attribute.RawSizeOrText)))
            return *value;
    return StrToInt(Value(index));
}

void TXMLItem::SetAttribute(const QString &name, const QString &value)
{
    const size_t found = FindAttribute(name);
    if (value.isEmpty()) {
        if (found != kNone)
            FAttributes.erase(found);
        return;
    }
    TStoredAttribute &attribute =
        found != kNone ? FAttributes[found] : FAttributes.emplace_back(Arena(), TStoredAttribute{});
    if (found == kNone)
        StoreName(attribute, name);
    // A value of the item's own is replaced in place.
    if (!attribute.Raw && found != kNone) {
        FTexts[size_t(attribute.RawSizeOrText)] = value;
        return;
    }
    attribute.Raw = nullptr;
    attribute.RawSizeOrText = KeepText(value);
}

void TXMLItem::SetParent(TXMLItem *parent)
{
    if (parent == FParent)
        return;
    std::unique_ptr<TXMLItem> self;
    if (FParent)
        self = FParent->Detach(this);
    else
        self.reset(this); // a free item becomes owned by its new parent
    FParent = parent;
    SetOwner(parent ? parent->FOwner : nullptr);
    if (parent)
        parent->FItems.emplace_back(parent->Arena(), std::move(self));
    else
        (void)self.release(); // out of any tree: the caller owns it again
}

void TXMLItem::SetOwner(TECXMLParser *owner)
{
    if (owner == FOwner)
        return;
    // Values still bytes and lists in the arena lie in the old document's
    // memory, which may go before this item.
    DecodeAll();
    FOwner = owner;
    FAttributes.Rehome(Arena());
    FTexts.Rehome(Arena());
    FItems.Rehome(Arena());
    for (auto &item : FItems)
        item->SetOwner(owner);
}

void TXMLItem::Clear()
{
    const bool notify = FNotify;
    FNotify = false;
    FItems.clear();
    FAttributes.clear();
    FTexts.clear();
    FName.clear();
    FText.clear();
    FNotify = notify;
}

TXMLItem *TXMLItem::New()
{
    auto child = std::make_unique<TXMLItem>(FOwner);
    child->FParent = this;
    TXMLItem *added = FItems.emplace_back(Arena(), std::move(child)).get();
    Changed();
    return added;
}

void TXMLItem::Delete(int index)
{
    FItems.erase(size_t(index));
    Changed();
}

void TXMLItem::Move(TXMLItem *child, int newIndex)
{
    const int from = IndexOf(child);
    if (from < 0 || newIndex < 0 || newIndex >= Count() || from == newIndex)
        return;
    auto holder = std::move(FItems[size_t(from)]);
    FItems.erase(size_t(from));
    FItems.insert(size_t(newIndex), std::move(holder), Arena());
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
    FItems.erase(size_t(index));
    return holder;
}
