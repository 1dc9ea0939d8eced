#pragma once

#include "layoutparts/LayerPartsDialog.h"

class QCheckBox;
class QComboBox;
class TKeyLock;
class TKeyPosition;

/// The key lock dialog "Ключ клавиатуры": per layer and key position the
/// function, codes, melody and the lock flag, and "Для всех слоев", which
/// gives every layer the key lock of the shown one. The position shown is
/// kept from one opening to the next like the layer. Edits a working copy;
/// the caller copies it into the document after OK.
///
/// Usage: if (lock.Execute(layout)) document.SetKeyLocks(lock.Result()).
class TfmKeyLock : public TLayerPartsDialog {
    Q_OBJECT

public:
    explicit TfmKeyLock(TKeyboardManager &manager, QWidget *parent = nullptr);

    /// Returns the key lock position (from 0) shown.
    int Position() const { return FPosition; }
    /// Stores the shown position, then copies the shown layer's key lock
    /// into every layer.
    void CopyToAllLayers();

protected:
    void CopyIn(const TLayout &document) override;
    void ShowLayer() override;
    void Store() override;

private:
    TKeyLock &Lock() const;
    /// Returns the position shown, or null when the layer has none.
    TKeyPosition *ShownPosition() const;
    void ShowPosition();
    void SelectPosition(int row);

    QListWidget *FPositions;
    QComboBox *FFunction;
    TCodeField *FCodes;
    TMelodyField *FMelody;
    QCheckBox *FLocked;
    int FPosition = 0;
};
