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

// The parts of a key a step keeps: only those an edit changed.
enum TKeyPart : uint8_t {
    kpRemark = 1,
    kpType = 2,
    kpRepeat = 4,
    kpMelody = 8,
    kpMake = 16,
    kpBreak = 32,
    kpPicture = 64,
    kpAll = 127,
};

class TKeyParts {
public:
    /// Holds no part.
    TKeyParts() = default;
    /// Takes the parts of key that mask names.
    TKeyParts(const TKey &key, uint8_t mask) : FMask(mask) { Take(key, mask); }

    uint8_t Mask() const { return FMask; }
    /// Returns the parts in which key differs from these.
    uint8_t Differences(const TKey &key) const
    {
        uint8_t differ = 0;
        if ((FMask & kpRemark) && FRemark != key.Remark())
            differ |= kpRemark;
        if ((FMask & kpType) && FType != key.KeyType())
            differ |= kpType;
        if ((FMask & kpRepeat) && FRepeat != key.AutoRepeat())
            differ |= kpRepeat;
        if ((FMask & kpMelody) && !FMelody->Equals(key.Melody()))
            differ |= kpMelody;
        if ((FMask & kpMake) && !FMake->Equals(key.MakeCodes()))
            differ |= kpMake;
        if ((FMask & kpBreak) && !FBreak->Equals(key.BreakCodes()))
            differ |= kpBreak;
        if ((FMask & kpPicture) && !SamePicture(*FPicture, key.Picture()))
            differ |= kpPicture;
        return differ;
    }
    /// Takes the parts of mask that these do not hold yet from other.
    void Add(const TKeyParts &other, uint8_t mask)
    {
        const uint8_t missing = mask & ~FMask;
        FMask |= missing;
        if (missing & kpRemark)
            FRemark = other.FRemark;
        if (missing & kpType)
            FType = other.FType;
        if (missing & kpRepeat)
            FRepeat = other.FRepeat;
        if (missing & kpMelody)
            FMelody = Copy(*other.FMelody);
        if (missing & kpMake)
            FMake = Copy(*other.FMake);
        if (missing & kpBreak)
            FBreak = Copy(*other.FBreak);
        if (missing & kpPicture)
            FPicture = Copy(*other.FPicture);
    }
    /// Gives key these parts.
    void Put(TKey &key) const
    {
        if (FMask & kpRemark)
            key.SetRemark(FRemark);
        if (FMask & kpType)
            key.SetKeyType(FType);
        if (FMask & kpRepeat)
            key.SetAutoRepeat(FRepeat);
        if (FMask & kpMelody)
            key.Melody().Assign(*FMelody);
        if (FMask & kpMake)
            key.MakeCodes().Assign(*FMake);
        if (FMask & kpBreak)
            key.BreakCodes().Assign(*FBreak);
        if (FMask & kpPicture)
            key.Picture().Assign(*FPicture);
    }

private:
    static bool SamePicture(const TKeyPicture &a, const TKeyPicture &b)
    {
        return a.Text() == b.Text() && a.Font() == b.Font() && a.Picture() == b.Picture()
               && a.BackgroundColor() == b.BackgroundColor() && a.TextOrientation() == b.TextOrientation();
    }
    template <typename T> static std::unique_ptr<T> Copy(const T &source)
    {
        auto copy = std::make_unique<T>();
        copy->Assign(source);
        return copy;
    }
    void Take(const TKey &key, uint8_t mask)
    {
        if (mask & kpRemark)
            FRemark = key.Remark();
        if (mask & kpType)
            FType = key.KeyType();
        if (mask & kpRepeat)
            FRepeat = key.AutoRepeat();
        if (mask & kpMelody)
            FMelody = Copy(key.Melody());
        if (mask & kpMake)
            FMake = Copy(key.MakeCodes());
        if (mask & kpBreak)
            FBreak = Copy(key.BreakCodes());
        if (mask & kpPicture)
            FPicture = Copy(key.Picture());
    }

    uint8_t FMask = 0;
    QString FRemark;
    TKeyType FType = ktMacro;
    bool FRepeat = false;
    std::unique_ptr<TNotes> FMelody;
    std::unique_ptr<TScanCodes> FMake;
    std::unique_ptr<TScanCodes> FBreak;
    std::unique_ptr<TKeyPicture> FPicture;
};

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
                FKeys.push_back({l, k, std::make_unique<TKeyParts>(keys.Item(k), kpAll)});
    }
}

TKeysStep::~TKeysStep() = default;

TKey &TKeysStep::KeyOf(const TStoredKey &stored) const
{
    return Layout().Layers().Item(stored.Layer).Keys().Item(stored.Index);
}

bool TKeysStep::Finish()
{
    // Only the parts that changed stay: a replace keeps codes, not pictures.
    std::vector<TStoredKey> changed;
    for (const TStoredKey &stored : FKeys) {
        if (const uint8_t parts = stored.Other->Differences(KeyOf(stored))) {
            changed.push_back({stored.Layer, stored.Index, std::make_unique<TKeyParts>()});
            changed.back().Other->Add(*stored.Other, parts);
        }
    }
    FKeys = std::move(changed);
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
    // This step keeps the parts as they were before its own edit; parts only
    // the next edit changed come as they were before that one.
    for (const TStoredKey &stored : next->FKeys) {
        const auto known = std::find_if(FKeys.begin(), FKeys.end(), [&](const TStoredKey &mine) {
            return mine.Layer == stored.Layer && mine.Index == stored.Index;
        });
        if (known == FKeys.end()) {
            FKeys.push_back({stored.Layer, stored.Index, std::make_unique<TKeyParts>()});
            FKeys.back().Other->Add(*stored.Other, stored.Other->Mask());
        } else {
            known->Other->Add(*stored.Other, stored.Other->Mask());
        }
    }
    FSelection = next->FSelection;
    // Typing that ends where it began leaves no step.
    setObsolete(std::none_of(FKeys.begin(), FKeys.end(),
                             [this](const TStoredKey &stored) { return stored.Other->Differences(KeyOf(stored)); }));
    return true;
}

void TKeysStep::Toggle()
{
    for (TStoredKey &stored : FKeys) {
        TKey &key = KeyOf(stored);
        auto current = std::make_unique<TKeyParts>(key, stored.Other->Mask());
        stored.Other->Put(key);
        stored.Other = std::move(current);
    }
    std::swap(FSelection, FOtherSelection);
    Layout().SetSelection(FSelection);
    Layout().Notify(lcContent);
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
