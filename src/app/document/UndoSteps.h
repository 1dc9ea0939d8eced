#pragma once

#include "model/Rect.h"

#include <QUndoCommand>
#include <cstdint>
#include <memory>
#include <vector>

class TKey;
class TKeyLock;
class TLayer;
class TLayout;
class TMSR;

/// The base of every document step. The document makes its edit first (so
/// that an edit that fails pushes nothing) and then pushes the step: the
/// first redo, which the push calls, finds the edit done and does nothing.
class TLayoutStep : public QUndoCommand {
public:
    TLayoutStep(TLayout &layout, const QString &text);

    void undo() override;
    void redo() override;

protected:
    TLayout &Layout() const { return FLayout; }
    /// Brings the layout to the other side of the step: before the edit from
    /// after it, after the edit from before it.
    virtual void Toggle() = 0;

private:
    TLayout &FLayout;
    bool FPushed = false;
};

class TKeyParts;

/// The keys an edit changed, each addressed by its layer and its index in
/// the layer's key list (never by pointer: a model change recreates keys),
/// with the parts of each that changed (remark, type, repeat, melody, codes,
/// picture) as they are on the other side of the step. Undo and redo swap
/// them with the layout's keys and select what was selected on that side.
class TKeysStep : public TLayoutStep {
public:
    /// The merge id of every key step.
    static constexpr int kMergeId = 1;

    /// Records, before an edit, the keys whose cells lie in area (grid
    /// coordinates) on every layer, and the selection.
    TKeysStep(TLayout &layout, const QString &text, const TRect &area);
    ~TKeysStep() override;

    /// After the edit: keeps only the keys it changed and the selection it
    /// left; returns whether it changed any key.
    bool Finish();
    /// Lets the next step with the same field and epoch merge into this one
    /// (typing in one field); the field is -1 for a step that never merges.
    void SetMergeKey(int field, int epoch);

    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

protected:
    void Toggle() override;

private:
    struct TStoredKey {
        int Layer;
        int Index;
        std::unique_ptr<TKeyParts> Other;
    };

    TKey &KeyOf(const TStoredKey &stored) const;

    std::vector<TStoredKey> FKeys;
    TRect FSelection;
    TRect FOtherSelection;
    int FField = -1;
    int FEpoch = 0;
};

/// The key groups before or after an edit, as rectangles.
class TGroupsStep : public TLayoutStep {
public:
    /// Records the groups before an edit.
    TGroupsStep(TLayout &layout, const QString &text);

protected:
    void Toggle() override;

private:
    std::vector<TRect> FOther;
};

/// The card reader (Part TMSR) or key lock (Part TKeyLock) settings of every
/// layer before or after an edit.
template <typename Part> class TLayerPartsStep : public TLayoutStep {
public:
    /// Records the parts of every layer before an edit.
    TLayerPartsStep(TLayout &layout, const QString &text);
    ~TLayerPartsStep() override;

protected:
    void Toggle() override;

private:
    std::vector<std::unique_ptr<Part>> FOther;
};

extern template class TLayerPartsStep<TMSR>;
extern template class TLayerPartsStep<TKeyLock>;

/// The whole layout before or after an edit that reshapes it (a change of
/// keyboard model); the file name stays out of it.
class TSnapshotStep : public TLayoutStep {
public:
    /// Records the layout before an edit.
    TSnapshotStep(TLayout &layout, const QString &text);
    ~TSnapshotStep() override;

protected:
    void Toggle() override;

private:
    std::unique_ptr<TLayout> FOther;
};

/// The keyboard program version before or after an edit.
class TVersionStep : public TLayoutStep {
public:
    /// Records the version before an edit.
    TVersionStep(TLayout &layout, const QString &text);

protected:
    void Toggle() override;

private:
    uint16_t FOther;
};
