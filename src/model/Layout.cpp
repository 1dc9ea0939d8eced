#include "model/Layout.h"

#include "base/Error.h"
#include "catalogue/Keyboards.h"
#include "model/Key.h"
#include "model/KeyGroup.h"
#include "model/KeyLock.h"
#include "model/KeyPicture.h"
#include "model/Layer.h"
#include "model/MSR.h"
#include "model/ScanCodes.h"

#include <algorithm>
#include <vector>

namespace {

uint32_t NextInstanceNumber()
{
    static uint32_t counter = 0;
    return ++counter;
}

} // namespace

TLayout::TLayout()
    : FNotifier(std::make_unique<TNotifier>()), FLinks(std::make_unique<TNotifyLinks>()),
      FLayers(std::make_unique<TLayers>(FNotifier.get())), FGroups(std::make_unique<TKeyGroups>(FNotifier.get())),
      FInstanceNumber(NextInstanceNumber())
{
}

TLayout::~TLayout()
{
    Notify(lcDestroying);
}

void TLayout::SetFileName(const QString &fileName)
{
    FFileName = fileName;
    FNotifier->ResetModified();
}

int TLayout::LayerCount() const
{
    return FLayers->Count();
}

void TLayout::SetKeyboardID(int id)
{
    if (id == FKeyboardID)
        return;
    FKeyboardID = id;
    Notify(lcContent);
}

void TLayout::SetVersion(uint16_t version)
{
    if (version == FVersion)
        return;
    FVersion = version;
    Notify(lcContent);
}

void TLayout::SetTrack(int index, bool present)
{
    if (index < 0 || index >= kMSRTrackCount || FTracks[size_t(index)] == present)
        return;
    FTracks[size_t(index)] = present;
    Notify(lcContent);
}

void TLayout::SetColumns(int count)
{
    if (count == FColumns)
        return;
    if (count < 1)
        throw EError(tr("Неверное значение количества колонок: %1").arg(count) + QStringLiteral("\r\n") +
                     tr("Количество колонок раскладки должно быть больше 0."));
    FColumns = count;
    FNotifier->Change();
}

void TLayout::SetRows(int count)
{
    if (count == FRows)
        return;
    if (count < 1)
        throw EError(tr("Неверное значение количества рядов: %1").arg(count) + QStringLiteral("\r\n") +
                     tr("Количество рядов раскладки должно быть больше 0."));
    FRows = count;
    FNotifier->Change();
}

void TLayout::SetKeyPositions(int count)
{
    if (count == FKeyPositions)
        return;
    if (count < 0 || count > 8)
        throw EError(tr("Неверное значение количества положений ключа: %1").arg(count) +
                     QStringLiteral("\r\n") + tr("Количество положений ключа должно быть от 1 до 8."));
    for (int i = 0; i < LayerCount(); ++i)
        FLayers->Item(i).KeyLock().SetCount(count);
    FKeyPositions = count;
}

void TLayout::SetSelection(const TRect &selection)
{
    if (selection == FSelection)
        return;
    FSelection = selection;
    Notify(lcSelection);
}

void TLayout::Notify(TLayoutChange kind)
{
    if (kind == lcKeysCleared || kind == lcContent)
        FNotifier->Change();
    FLastChange = kind;
    FLinks->NotifyAll(*this);
}

std::unique_ptr<TNotifyLink> TLayout::AddLink(TNotifyLink::THandler handler, const void *receiver)
{
    return std::make_unique<TNotifyLink>(std::move(handler), receiver, FLinks.get());
}

void TLayout::AssignFields(const TLayout &source)
{
    FKeyboardID = source.FKeyboardID;
    FFileName = source.FFileName;
    FKeyPositions = source.FKeyPositions;
    FHasKey = source.FHasKey;
    FHasReader = source.FHasReader;
    FKeyCount = source.FKeyCount;
    FVersion = source.FVersion;
    FTracks = source.FTracks;
    FColumns = source.FColumns;
    FRows = source.FRows;
    FSelection = source.FSelection;
}

void TLayout::Assign(const TLayout &source)
{
    if (&source == this)
        return;
    AssignFields(source);
    FLayers->Assign(*source.FLayers);
    FGroups->Assign(*source.FGroups);
    Notify(lcContent);
}

void TLayout::TakeContent(TLayout &source)
{
    if (&source == this)
        return;
    // Every model object reports to the notifier it was made with, so the
    // notifiers change places with the trees; the handler and the modified
    // state stay with this layout.
    const bool modified = IsModified();
    std::swap(FNotifier, source.FNotifier);
    std::swap(FLayers, source.FLayers);
    std::swap(FGroups, source.FGroups);
    std::swap(FNotifier->OnChange, source.FNotifier->OnChange);
    FNotifier->ResetModified();
    if (modified) {
        auto handler = std::move(FNotifier->OnChange);
        FNotifier->Change();
        FNotifier->OnChange = std::move(handler);
    }
    AssignFields(source);
    Notify(lcContent);
}

void TLayout::AssignReader(const TLayout &source)
{
    if (source.LayerCount() != LayerCount())
        throw EError(tr("Различное количество слоев."));
    for (int i = 0; i < LayerCount(); ++i)
        FLayers->Item(i).MSR().Assign(source.FLayers->Item(i).MSR());
    Notify(lcContent);
}

void TLayout::AssignKeyLock(const TLayout &source)
{
    if (source.LayerCount() != LayerCount())
        return;
    for (int i = 0; i < LayerCount(); ++i)
        FLayers->Item(i).KeyLock().Assign(source.FLayers->Item(i).KeyLock());
    Notify(lcContent);
}

void TLayout::ApplyKeyboard(const TKeyboard &keyboard)
{
    ApplyShape(keyboard);
    Notify(lcContent);
}

void TLayout::ApplyShape(const TKeyboard &keyboard)
{
    FKeyboardID = keyboard.ID;
    SetColumns(keyboard.Width);
    SetRows(keyboard.Height);
    FLayers->SetCount(keyboard.Layers);
    SetKeyPositions(keyboard.KeyPos);
    // Layers just added start without key lock positions, also when the
    // position count itself did not change.
    for (int l = 0; l < LayerCount(); ++l)
        if (FLayers->Item(l).KeyLock().Count() != FKeyPositions)
            FLayers->Item(l).KeyLock().SetCount(FKeyPositions);
    FTracks[0] = keyboard.Track1 != 0;
    FTracks[1] = keyboard.Track2 != 0;
    FTracks[2] = keyboard.Track3 != 0;
    FHasKey = keyboard.HasKey != 0;
    FHasReader = keyboard.HasReader != 0;
    FKeyCount = keyboard.KeyCount();

    const TKeyDefs &defs = keyboard.KeyDefs();
    for (int l = 0; l < LayerCount(); ++l) {
        TKeys &keys = FLayers->Item(l).Keys();
        keys.Clear();
        for (int k = 0; k < defs.Count(); ++k) {
            const TKeyDef &def = defs.Item(k);
            keys.Add(def.Left - 1, def.Top - 1, def.LogicalNumber);
        }
    }
    if (FHasReader) {
        for (int l = 0; l < LayerCount(); ++l) {
            TMSR &msr = FLayers->Item(l).MSR();
            for (int t = 0; t < kMSRTrackCount; ++t)
                msr.Track(t).SetEnabled(FTracks[size_t(t)]);
        }
    }
}

void TLayout::ChangeKeyboard(const TKeyboard &keyboard)
{
    if (keyboard.ID == FKeyboardID)
        return;
    // The old layers are kept aside (outside the document) so that key
    // contents can follow their logical numbers into the new shape.
    TLayers saved;
    saved.Assign(*FLayers);
    ApplyShape(keyboard);
    const int kept = std::min(saved.Count(), LayerCount());
    for (int l = 0; l < kept; ++l)
        FLayers->Item(l).Keys().CopyByNumber(saved.Item(l).Keys());
    Notify(lcContent);
}

TRect TLayout::WorkArea() const
{
    return IsSingleCell() ? TRect{1, 1, FColumns, FRows} : FSelection;
}

void TLayout::ClearRange(const TRect &rect, int layer, bool pictureMode)
{
    for (int c = rect.Left; c <= rect.Right; ++c) {
        for (int r = rect.Top; r <= rect.Bottom; ++r) {
            if (pictureMode) {
                if (LayerCount() > 0)
                    if (TKey *key = FLayers->Item(0).KeyAt(c - 1, r - 1))
                        key->Picture().Clear();
            } else if (layer != 0) {
                if (layer <= LayerCount())
                    if (TKey *key = FLayers->Item(layer - 1).KeyAt(c - 1, r - 1))
                        key->Clear();
            } else {
                for (int l = 0; l < LayerCount(); ++l)
                    if (TKey *key = FLayers->Item(l).KeyAt(c - 1, r - 1))
                        key->Clear();
            }
        }
    }
    Notify(lcKeysCleared);
}

void TLayout::Paste(const TLayout &clipboard, int layer, bool pictureMode)
{
    const bool fill = clipboard.IsSingleCell();
    const TRect &clip = clipboard.FSelection;
    if (!fill) {
        SetSelection({FSelection.Left, FSelection.Top,
                      std::min(FSelection.Right, FSelection.Left + clip.Right - clip.Left),
                      std::min(FSelection.Bottom, FSelection.Top + clip.Bottom - clip.Top)});
    }

    // Only layers present in both layouts take part.
    std::vector<int> layers;
    if (pictureMode)
        layers = {0};
    else if (layer != 0)
        layers = {layer - 1};
    else
        for (int l = 0; l < (fill ? LayerCount() : clipboard.LayerCount()); ++l)
            layers.push_back(l);
    std::erase_if(layers, [&](int l) { return l >= LayerCount() || l >= clipboard.LayerCount(); });

    for (int c = FSelection.Left; c <= FSelection.Right; ++c) {
        for (int r = FSelection.Top; r <= FSelection.Bottom; ++r) {
            const int sourceCol = fill ? clip.Left - 1 : c + clip.Left - FSelection.Left - 1;
            const int sourceRow = fill ? clip.Top - 1 : r + clip.Top - FSelection.Top - 1;
            for (int l : layers) {
                const TKey *from = clipboard.FLayers->Item(l).KeyAt(sourceCol, sourceRow);
                TKey *to = FLayers->Item(l).KeyAt(c - 1, r - 1);
                if (!from || !to || from->KeyType() == ktNone)
                    continue;
                if (pictureMode)
                    to->Picture().Assign(from->Picture());
                else
                    to->AssignContent(*from);
            }
        }
    }
    Notify(lcContent);
}

bool TLayout::Group(const TRect &rect)
{
    if (rect.IsSingleCell() || HasGroupIn(rect))
        return false;
    FGroups->Add().SetRect(rect);
    Notify(lcContent);
    return true;
}

void TLayout::Ungroup(const TRect &rect)
{
    bool freed = false;
    for (int i = FGroups->Count() - 1; i >= 0; --i) {
        if (Overlaps(FGroups->Item(i).Rect(), rect)) {
            FGroups->Delete(i);
            freed = true;
        }
    }
    if (freed)
        Notify(lcContent);
}

bool TLayout::HasGroupIn(const TRect &rect) const
{
    for (int i = 0; i < FGroups->Count(); ++i)
        if (Overlaps(FGroups->Item(i).Rect(), rect))
            return true;
    return false;
}

const TKeyGroup *TLayout::GroupAt(int col, int row) const
{
    for (int i = 0; i < FGroups->Count(); ++i)
        if (FGroups->Item(i).Rect().Contains(col, row))
            return &FGroups->Item(i);
    return nullptr;
}

void TLayout::SetKeyTypeAll(int col, int row, TKeyType keyType)
{
    for (int l = 0; l < LayerCount(); ++l)
        if (TKey *key = FLayers->Item(l).KeyAt(col, row))
            key->SetKeyType(keyType);
}

void TLayout::ClearNonMacroCodes()
{
    for (int l = 0; l < LayerCount(); ++l) {
        TKeys &keys = FLayers->Item(l).Keys();
        for (int k = 0; k < keys.Count(); ++k) {
            TKey &key = keys.Item(k);
            if (key.KeyType() != ktMacro) {
                key.MakeCodes().Clear();
                key.BreakCodes().Clear();
            }
        }
    }
}
