#pragma once

#include "model/Key.h"
#include "model/Notifier.h"

#include <QString>
#include <memory>

class TKeyPicture;
class TNotes;
class TScanCodes;

/// A value the multi-key editor holds; IsChanged tells whether the user
/// changed it since the last load.
template <typename T> class TValueNotify : public TNotifyObject {
public:
    explicit TValueNotify(TNotifier *notifier, T value = T()) : TNotifyObject(notifier), FValue(value) {}
    const T &Value() const { return FValue; }
    /// Stores and marks changed only when the value differs.
    void SetValue(const T &value)
    {
        Store(FValue, value);
    }

private:
    T FValue;
};

using TStringNotify = TValueNotify<QString>;
using TKeyTypeNotify = TValueNotify<TKeyType>;
using TRepeatKeyNotify = TValueNotify<bool>;

/// A detached key through which the key dialogs edit all selected keys at
/// once: filled from the selection, edited, and written back only in the
/// values the user changed.
class TMasterKey {
public:
    TMasterKey();
    ~TMasterKey();
    TMasterKey(const TMasterKey &) = delete;
    TMasterKey &operator=(const TMasterKey &) = delete;

    /// Cell (from 0) of the first key loaded.
    int Col = 0;
    int Row = 0;
    /// Layer index (from 0) the editor works on.
    int Layer = 0;

    TNotes &Melody() const { return *FMelody; }
    TRepeatKeyNotify &AutoRepeat() const { return *FAutoRepeat; }
    TNotifier &Notifier() const { return *FNotifier; }
    TStringNotify &Remark() const { return *FRemark; }
    /// ktNone after a load means the selected keys have different types.
    TKeyTypeNotify &KeyType() const { return *FKeyType; }
    TScanCodes &MakeCodes() const { return *FMakeCodes; }
    TScanCodes &BreakCodes() const { return *FBreakCodes; }
    TKeyPicture &Picture() const { return *FPicture; }

    /// Empties every value but the layer and the picture, then ResetFlags.
    void Clear();
    /// Returns whether anything was changed since the last load.
    bool IsModified() const { return FNotifier->Modified(); }
    /// Forgets which values were changed.
    void ResetFlags();

private:
    std::unique_ptr<TNotifier> FNotifier;
    std::unique_ptr<TNotes> FMelody;
    std::unique_ptr<TRepeatKeyNotify> FAutoRepeat;
    std::unique_ptr<TStringNotify> FRemark;
    std::unique_ptr<TKeyTypeNotify> FKeyType;
    std::unique_ptr<TScanCodes> FMakeCodes;
    std::unique_ptr<TScanCodes> FBreakCodes;
    std::unique_ptr<TKeyPicture> FPicture;
};
