#include "files/xml/XMLItem.h"

#include "base/Numbers.h"
#include "files/xml/ECXMLParser.h"

#include <algorithm>
#include <cstring>

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

} // namespace

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

QString TXMLItem::Attribute(QStringView name) const
{
    const auto found = FindAttribute(name);
    return found == FAttributes.end() ? QString() : found->second;
}

int TXMLItem::IntAttribute(QStringView name) const
{
    return StrToInt(Attribute(name));
}

int TXMLItem::IntAttribute(QStringView name, int fallback) const
{
    const auto found = FindAttribute(name);
    return found == FAttributes.end() ? fallback : StrToInt(found->second);
}

void TXMLItem::ReserveAttributes(int count)
{
    FAttributes.reserve(size_t(count));
}

void TXMLItem::SetAttribute(const QString &name, const QString &value)
{
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
    FName.clear();
    FText.clear();
    FNotify = notify;
}

TXMLItem *TXMLItem::New()
{
    auto child = std::make_unique<TXMLItem>(FOwner);
    child->FParent = this;
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
