#include "document/UndoSteps.h"

#include "model/Key.h"
#include "model/KeyGroup.h"
#include "model/KeyLock.h"
#include "model/KeyPicture.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/MSR.h"
#include "model/Notes.h"
#include "model/ScanCodes.h"

#include <algorithm>
#include <utility>

namespace {

// Copies everything a key holds besides its cell and number.
void CopyKey(TKey &target, const TKey &source)
{
    target.AssignContent(source);
    target.Picture().Assign(source.Picture());
}

std::unique_ptr<TKey> CloneKey(const TKey &key)
{
    auto clone = std::make_unique<TKey>(nullptr, key.Col(), key.Row(), key.LogicalNumber(), nullptr);
    CopyKey(*clone, key);
    return clone;
}

bool SamePicture(const TKeyPicture &a, const TKeyPicture &b)
{
    return a.Text() == b.Text() && a.Font() == b.Font() && a.Picture() == b.Picture()
           && a.BackgroundColor() == b.BackgroundColor() && a.TextOrientation() == b.TextOrientation();
}

bool SameKey(const TKey &a, const TKey &b)
{
    return a.Remark() == b.Remark() && a.KeyType() == b.KeyType() && a.AutoRepeat() == b.AutoRepeat()
           && a.Melody().Equals(b.Melody()) && a.MakeCodes().Equals(b.MakeCodes())
           && a.BreakCodes().Equals(b.BreakCodes()) && SamePicture(a.Picture(), b.Picture());
}

} // namespace

TLayoutStep::TLayoutStep(TLayout &layout, const QString &text) : QUndoCommand(text), FLayout(layout) {}

void TLayoutStep::undo()
{
    Toggle();
}

void TLayoutStep::redo()
{
    // The push's redo: the edit is done already.
    if (!FPushed) {
        FPushed = true;
        return;
    }
    Toggle();
}

TKeysStep::TKeysStep(TLayout &layout, const QString &text, const TRect &area)
    : TLayoutStep(layout, text), FSelection(layout.Selection())
{
    for (int l = 0; l < layout.LayerCount(); ++l) {
        const TKeys &keys = std::as_const(layout).Layers().Item(l).Keys();
        for (int k = 0; k < keys.Count(); ++k)
            if (area.Contains(keys.Item(k).Col() + 1, keys.Item(k).Row() + 1))
                FKeys.push_back({l, k, CloneKey(keys.Item(k))});
    }
}

TKeysStep::~TKeysStep() = default;

bool TKeysStep::Differs(const TStoredKey &stored) const
{
    return !SameKey(*stored.Other, std::as_const(Layout()).Layers().Item(stored.Layer).Keys().Item(stored.Index));
}

bool TKeysStep::Finish()
{
    std::erase_if(FKeys, [this](const TStoredKey &stored) { return !Differs(stored); });
    FOtherSelection = FSelection;
    FSelection = Layout().Selection();
    return !FKeys.empty();
}

void TKeysStep::SetMergeKey(int field, int epoch)
{
    FField = field;
    FEpoch = epoch;
}

int TKeysStep::id() const
{
    return FField < 0 ? -1 : kMergeId;
}

bool TKeysStep::mergeWith(const QUndoCommand *other)
{
    const auto *next = dynamic_cast<const TKeysStep *>(other);
    if (!next || next->FField != FField || next->FEpoch != FEpoch)
        return false;
    // This step keeps the state before its own edit; a key only the next
    // edit touched brings the state before that one.
    for (const TStoredKey &stored : next->FKeys) {
        const auto known = std::find_if(FKeys.begin(), FKeys.end(), [&](const TStoredKey &mine) {
            return mine.Layer == stored.Layer && mine.Index == stored.Index;
        });
        if (known == FKeys.end())
            FKeys.push_back({stored.Layer, stored.Index, CloneKey(*stored.Other)});
    }
    FSelection = next->FSelection;
    // Typing that ends where it began leaves no step.
    setObsolete(std::none_of(FKeys.begin(), FKeys.end(), [this](const TStoredKey &stored) { return Differs(stored); }));
    return true;
}

void TKeysStep::Toggle()
{
    TLayout &layout = Layout();
    for (TStoredKey &stored : FKeys) {
        TKey &key = layout.Layers().Item(stored.Layer).Keys().Item(stored.Index);
        std::unique_ptr<TKey> current = CloneKey(key);
        CopyKey(key, *stored.Other);
        stored.Other = std::move(current);
    }
    std::swap(FSelection, FOtherSelection);
    layout.SetSelection(FSelection);
    layout.Notify(lcContent);
}

TGroupsStep::TGroupsStep(TLayout &layout, const QString &text) : TLayoutStep(layout, text)
{
    const TKeyGroups &groups = std::as_const(layout).Groups();
    for (int g = 0; g < groups.Count(); ++g)
        FOther.push_back(groups.Item(g).Rect());
}

void TGroupsStep::Toggle()
{
    TKeyGroups &groups = Layout().Groups();
    std::vector<TRect> current;
    for (int g = 0; g < groups.Count(); ++g)
        current.push_back(groups.Item(g).Rect());
    groups.Clear();
    for (const TRect &rect : FOther)
        groups.Add().SetRect(rect);
    FOther = std::move(current);
    Layout().Notify(lcContent);
}

namespace {

TMSR &PartOf(TLayer &layer, TMSR *)
{
    return layer.MSR();
}

TKeyLock &PartOf(TLayer &layer, TKeyLock *)
{
    return layer.KeyLock();
}

} // namespace

template <typename Part>
TLayerPartsStep<Part>::TLayerPartsStep(TLayout &layout, const QString &text) : TLayoutStep(layout, text)
{
    for (int l = 0; l < layout.LayerCount(); ++l) {
        FOther.push_back(std::make_unique<Part>());
        FOther.back()->Assign(PartOf(layout.Layers().Item(l), static_cast<Part *>(nullptr)));
    }
}

template <typename Part> TLayerPartsStep<Part>::~TLayerPartsStep() = default;

template <typename Part> void TLayerPartsStep<Part>::Toggle()
{
    TLayout &layout = Layout();
    for (int l = 0; l < int(FOther.size()) && l < layout.LayerCount(); ++l) {
        Part &part = PartOf(layout.Layers().Item(l), static_cast<Part *>(nullptr));
        Part current;
        current.Assign(part);
        part.Assign(*FOther[size_t(l)]);
        FOther[size_t(l)]->Assign(current);
    }
    layout.Notify(lcContent);
}

template class TLayerPartsStep<TMSR>;
template class TLayerPartsStep<TKeyLock>;

TSnapshotStep::TSnapshotStep(TLayout &layout, const QString &text)
    : TLayoutStep(layout, text), FOther(std::make_unique<TLayout>())
{
    FOther->Assign(layout);
}

TSnapshotStep::~TSnapshotStep() = default;

void TSnapshotStep::Toggle()
{
    TLayout &layout = Layout();
    auto current = std::make_unique<TLayout>();
    current->Assign(layout);
    const QString fileName = layout.FileName();
    layout.Assign(*FOther);
    layout.SetFileName(fileName);
    FOther = std::move(current);
}

TVersionStep::TVersionStep(TLayout &layout, const QString &text) : TLayoutStep(layout, text), FOther(layout.Version())
{
}

void TVersionStep::Toggle()
{
    const uint16_t current = Layout().Version();
    Layout().SetVersion(FOther);
    FOther = current;
}
