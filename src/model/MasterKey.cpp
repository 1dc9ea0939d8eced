#include "model/MasterKey.h"

#include "model/KeyPicture.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/Notes.h"
#include "model/ScanCodes.h"

TMasterKey::TMasterKey()
    : FNotifier(std::make_unique<TNotifier>()), FMelody(std::make_unique<TNotes>(FNotifier.get())),
      FAutoRepeat(std::make_unique<TRepeatKeyNotify>(FNotifier.get(), false)),
      FRemark(std::make_unique<TStringNotify>(FNotifier.get())),
      FKeyType(std::make_unique<TKeyTypeNotify>(FNotifier.get(), ktMacro)),
      FMakeCodes(std::make_unique<TScanCodes>(FNotifier.get())),
      FBreakCodes(std::make_unique<TScanCodes>(FNotifier.get())),
      FPicture(std::make_unique<TKeyPicture>(FNotifier.get()))
{
}

TMasterKey::~TMasterKey() = default;

void TMasterKey::Clear()
{
    Col = 0;
    Row = 0;
    FRemark->SetValue(QString());
    FMelody->Clear();
    FMakeCodes->Clear();
    FBreakCodes->Clear();
    FAutoRepeat->SetValue(false);
    FKeyType->SetValue(ktMacro);
    ResetFlags();
}

void TMasterKey::ResetFlags()
{
    FRemark->ResetChanged();
    FKeyType->ResetChanged();
    FAutoRepeat->ResetChanged();
    FMelody->ResetChanged();
    FMakeCodes->ResetChanged();
    FBreakCodes->ResetChanged();
    FPicture->ResetFlags();
    FNotifier->ResetModified();
}

void TLayout::LoadMaster(TMasterKey &master) const
{
    master.Clear();
    const bool layerExists = master.Layer >= 0 && master.Layer < LayerCount();
    bool first = true;
    for (int c = FSelection.Left; c <= FSelection.Right; ++c) {
        for (int r = FSelection.Top; r <= FSelection.Bottom; ++r) {
            const TKey *key = layerExists ? FLayers->Item(master.Layer).KeyAt(c - 1, r - 1) : nullptr;
            if (!key) {
                master.Clear();
                return;
            }
            if (first) {
                first = false;
                master.Col = key->Col();
                master.Row = key->Row();
                master.Remark().SetValue(key->Remark());
                master.KeyType().SetValue(key->KeyType());
                master.AutoRepeat().SetValue(key->AutoRepeat());
                master.Melody().Assign(key->Melody());
                master.MakeCodes().Assign(key->MakeCodes());
                master.BreakCodes().Assign(key->BreakCodes());
                master.Picture().Assign(key->Picture());
                continue;
            }
            if (!master.Melody().Equals(key->Melody()))
                master.Melody().Clear();
            if (master.Remark().Value() != key->Remark())
                master.Remark().SetValue(QString());
            if (master.KeyType().Value() != key->KeyType()) {
                // Keys of different types cannot be edited as one; the master
                // stays marked changed so that the dialog knows.
                master.Clear();
                master.KeyType().SetValue(ktNone);
                return;
            }
            if (master.AutoRepeat().Value() != key->AutoRepeat())
                master.AutoRepeat().SetValue(false);
            if (!master.MakeCodes().Equals(key->MakeCodes()))
                master.MakeCodes().Clear();
            if (!master.BreakCodes().Equals(key->BreakCodes()))
                master.BreakCodes().Clear();
        }
    }
    master.ResetFlags();
}

void TLayout::ApplyMaster(TMasterKey &master, bool pictureMode)
{
    if (!master.IsModified())
        return;
    const TKeyPicture &picture = master.Picture();
    const bool pictureChanged = picture.IsChanged();

    auto applyToLayer = [&](int layer) {
        if (layer < 0 || layer >= LayerCount())
            return;
        TLayer &target = FLayers->Item(layer);
        for (int c = FSelection.Left; c <= FSelection.Right; ++c) {
            for (int r = FSelection.Top; r <= FSelection.Bottom; ++r) {
                TKey *key = target.KeyAt(c - 1, r - 1);
                if (!key)
                    continue;
                if (master.Remark().IsChanged())
                    key->SetRemark(master.Remark().Value());
                if (master.KeyType().Value() != ktNone)
                    SetKeyTypeAll(key->Col(), key->Row(), master.KeyType().Value());
                if (master.AutoRepeat().IsChanged())
                    key->SetAutoRepeat(master.AutoRepeat().Value());
                if (master.MakeCodes().IsChanged())
                    key->MakeCodes().Assign(master.MakeCodes());
                if (master.BreakCodes().IsChanged())
                    key->BreakCodes().Assign(master.BreakCodes());
                if (master.Melody().IsChanged())
                    key->Melody().Assign(master.Melody());
                if (pictureChanged) {
                    TKeyPicture &to = key->Picture();
                    if (picture.GraphicChanged())
                        to.SetPicture(picture.Picture());
                    if (picture.TextChanged())
                        to.SetText(picture.Text());
                    if (picture.FontChanged())
                        to.SetFont(picture.Font());
                    if (picture.OrientationChanged())
                        to.SetTextOrientation(picture.TextOrientation());
                    if (picture.ColorChanged())
                        to.SetBackgroundColor(picture.BackgroundColor());
                }
            }
        }
    };

    if (pictureMode) {
        master.Layer = 0;
        applyToLayer(0);
    } else if (master.KeyType().Value() == ktMacro) {
        applyToLayer(master.Layer);
    } else {
        for (int l = 0; l < LayerCount(); ++l) {
            master.Layer = l;
            applyToLayer(l);
        }
    }
    Notify(lcContent);
}
