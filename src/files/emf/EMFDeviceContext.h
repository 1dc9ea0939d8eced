#pragma once

#include "files/emf/EMFRecords.h"

#include <optional>

/// One kind of object a device context selects. It stands outside the
/// context: a nested template with member initializers would be needed
/// before the context is complete, which not every compiler accepts.
template <typename TValue> struct TEMFSelection {
    /// What is selected; empty before the first selection.
    std::optional<TValue> Value;
    uint32_t Handle = 0;
    bool Created = false;
};

/// The drawing state a metafile player keeps (selected pen, brush and font,
/// text colour, fill mode) as far as this writer has set it. It writes a
/// record only when a value changes, creates an object when one is needed,
/// and deletes every object it created once nothing selects it any more,
/// also across one saved state.
class TEMFDeviceContext {
public:
    explicit TEMFDeviceContext(TEMFRecords &records) : FRecords(records) {}

    void SelectPen(const TEMFPen &pen);
    void SelectBrush(const TEMFBrush &brush);
    void SelectFont(const TEMFFont &font);
    void SetTextColor(QRgb color);
    void SetPolyFillMode(uint32_t mode);

    /// Returns whether a state is saved (a SaveDC without its RestoreDC).
    bool Saved() const { return FSaved.has_value(); }
    /// Saves the state; only one state is saved at a time.
    void Save();
    /// Returns to the saved state and deletes what only the dropped state
    /// selected.
    void Restore();
    /// Restores a saved state, selects stock objects and deletes every
    /// object still alive: the end of the metafile.
    void ReleaseAll();

private:
    template <typename TValue> using TSelection = TEMFSelection<TValue>;
    struct TState {
        TSelection<TEMFPen> Pen;
        TSelection<TEMFBrush> Brush;
        TSelection<TEMFFont> Font;
        std::optional<QRgb> TextColor;
        std::optional<uint32_t> FillMode;
    };

    template <typename TValue, typename TCreate>
    void Select(TSelection<TValue> TState::*kind, const TValue &value, uint32_t stock, TCreate create);
    template <typename TValue>
    void Release(const TSelection<TValue> &dropped, const TSelection<TValue> *kept);
    template <typename TValue> void ReleaseToStock(TSelection<TValue> &selection, uint32_t stock);

    TEMFRecords &FRecords;
    TState FState;
    std::optional<TState> FSaved;
};
