#pragma once

#include "layoutparts/LayerPartsDialog.h"

#include <array>

class QCheckBox;
class TMSR;

/// The card reader dialog "Cчитыватель магнитных карт": per layer the
/// tracks' enabled flags, prefix and suffix codes, the reader's flags and its
/// melody. Edits a working copy; the caller copies it into the document
/// after OK.
///
/// Usage: if (msr.Execute(layout)) document.SetCardReaders(msr.Result()).
class TfmMSR : public TLayerPartsDialog {
    Q_OBJECT

public:
    /// The number of code fields: the prefixes of tracks 1 to 3, then their
    /// suffixes.
    static constexpr int kCodeFieldCount = 6;

    explicit TfmMSR(TKeyboardManager &manager, QWidget *parent = nullptr);

    /// Runs the key code dialog in mode on code field number field (0 to 2
    /// the prefixes, 3 to 5 the suffixes of tracks 1 to 3); raises "Неверный
    /// номер трека" for any other number.
    void EditCodes(int field, int mode);

protected:
    void CopyIn(const TLayout &document) override;
    void ShowLayer() override;
    void Store() override;

private:
    TMSR &Reader() const;
    TScanCodes &FieldCodes(int field) const;

    std::array<QCheckBox *, 3> FTrackBoxes;
    QCheckBox *FSendEnter;
    QCheckBox *FStopOnError;
    QCheckBox *FLightIndication;
    std::array<TCodeField *, kCodeFieldCount> FCodeFields;
    TMelodyField *FMelody;
};
