#include "files/emf/EMFDeviceContext.h"

template <typename TValue, typename TCreate>
void TEMFDeviceContext::Select(TSelection<TValue> TState::*kind, const TValue &value, uint32_t stock,
                               TCreate create)
{
    TSelection<TValue> &current = FState.*kind;
    if (current.Value == value)
        return;
    const TSelection<TValue> *saved = FSaved ? &(*FSaved.*kind) : nullptr;
    TSelection<TValue> next{value, stock, false};
    if (saved && saved->Value == value && saved->Created) {
        // The saved state's object is still alive: select it again.
        next = *saved;
    } else if (stock == 0) {
        next.Handle = create(value);
        next.Created = true;
    }
    FRecords.SelectObject(next.Handle);
    const TSelection<TValue> dropped = current;
    current = next;
    Release(dropped, saved);
}

template <typename TValue>
void TEMFDeviceContext::Release(const TSelection<TValue> &dropped, const TSelection<TValue> *kept)
{
    // An object the saved state still selects lives on until that state is
    // dropped by ReleaseAll or replaced after Restore.
    if (dropped.Created && !(kept && kept->Created && kept->Handle == dropped.Handle))
        FRecords.DeleteObject(dropped.Handle);
}

void TEMFDeviceContext::SelectPen(const TEMFPen &pen)
{
    const uint32_t stock = pen.Style == psNull ? uint32_t(soNullPen) : 0;
    Select(&TState::Pen, pen, stock, [this](const TEMFPen &value) { return FRecords.ExtCreatePen(value); });
}

void TEMFDeviceContext::SelectBrush(const TEMFBrush &brush)
{
    const uint32_t stock = brush.Null ? uint32_t(soNullBrush) : 0;
    Select(&TState::Brush, brush, stock,
           [this](const TEMFBrush &value) { return FRecords.CreateSolidBrush(value.Color); });
}

void TEMFDeviceContext::SelectFont(const TEMFFont &font)
{
    Select(&TState::Font, font, 0,
           [this](const TEMFFont &value) { return FRecords.ExtCreateFontIndirectW(value); });
}

void TEMFDeviceContext::SetTextColor(QRgb color)
{
    color |= 0xFF000000;
    if (FState.TextColor == color)
        return;
    FState.TextColor = color;
    FRecords.SetTextColor(color);
}

void TEMFDeviceContext::SetPolyFillMode(uint32_t mode)
{
    if (FState.FillMode == mode)
        return;
    FState.FillMode = mode;
    FRecords.SetPolyFillMode(mode);
}

void TEMFDeviceContext::Save()
{
    Q_ASSERT(!FSaved);
    FRecords.SaveDC();
    FSaved = FState;
}

void TEMFDeviceContext::Restore()
{
    Q_ASSERT(FSaved);
    FRecords.RestoreDC();
    const TState dropped = FState;
    FState = *FSaved;
    FSaved.reset();
    Release(dropped.Pen, &FState.Pen);
    Release(dropped.Brush, &FState.Brush);
    Release(dropped.Font, &FState.Font);
}

template <typename TValue>
void TEMFDeviceContext::ReleaseToStock(TSelection<TValue> &selection, uint32_t stock)
{
    if (!selection.Created)
        return;
    // An object is deleted only once it is no longer selected.
    FRecords.SelectObject(stock);
    FRecords.DeleteObject(selection.Handle);
    selection = {};
}

void TEMFDeviceContext::ReleaseAll()
{
    if (FSaved)
        Restore();
    ReleaseToStock(FState.Pen, soNullPen);
    ReleaseToStock(FState.Brush, soNullBrush);
    ReleaseToStock(FState.Font, soSystemFont);
}
