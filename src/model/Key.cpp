#include "model/Key.h"

#include "base/ThreadFreeList.h"
#include "model/KeyPicture.h"
#include "model/Notes.h"
#include "model/ScanCodes.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <utility>

QString KeyTypeName(int keyType)
{
    // Translated on every call, so that the names follow the language chosen.
    static constexpr const char *kNames[] = {
        QT_TRANSLATE_NOOP("TKey", "Макрос"),
        QT_TRANSLATE_NOOP("TKey", "Переход на cлой вверх"),
        QT_TRANSLATE_NOOP("TKey", "Переход на cлой вниз"),
        QT_TRANSLATE_NOOP("TKey", "Переход на 1 cлой"),
        QT_TRANSLATE_NOOP("TKey", "Переход на 2 cлой"),
        QT_TRANSLATE_NOOP("TKey", "Переход на 3 cлой"),
        QT_TRANSLATE_NOOP("TKey", "Переход на 4 cлой"),
        QT_TRANSLATE_NOOP("TKey", "Временный переход на 1 cлой"),
        QT_TRANSLATE_NOOP("TKey", "Временный переход на 2 cлой"),
        QT_TRANSLATE_NOOP("TKey", "Временный переход на 3 cлой"),
        QT_TRANSLATE_NOOP("TKey", "Временный переход на 4 cлой"),
    };
    static_assert(std::size(kNames) == kLastKeyType - ktMacro + 1);
    return keyType >= ktMacro && keyType <= kLastKeyType
               ? QCoreApplication::translate("TKey", kNames[keyType - 1])
               : QString();
}

TKey::TKey(TKeys *owner, int col, int row, int logicalNumber, TNotifier *notifier)
    : TNotifyObject(notifier), FCol(col), FRow(row), FLogicalNumber(logicalNumber), FOwner(owner),
      FMelody(notifier), FPicture(notifier), FMakeCodes(notifier), FBreakCodes(notifier)
{
}

TKey::~TKey() = default;

namespace {

// Room for the keys of a few of the largest layouts.
using TFreeKeys = TThreadFreeList<TKey, 4096>;

} // namespace

void *TKey::operator new(size_t size)
{
    return TFreeKeys::Allocate(size);
}

void TKey::operator delete(void *key, size_t size)
{
    TFreeKeys::Free(key, size);
}

void TKey::SetRemark(const QString &value)
{
    Store(FRemark, value);
}

void TKey::SetLogicalNumber(int value)
{
    if (value != FLogicalNumber && FOwner)
        FOwner->Reindex();
    Store(FLogicalNumber, value);
}

void TKey::SetKeyType(TKeyType value)
{
    Store(FKeyType, value);
}

void TKey::SetAutoRepeat(bool value)
{
    Store(FAutoRepeat, value);
}

void TKey::AssignContent(const TKey &source)
{
    SetRemark(source.FRemark);
    SetKeyType(source.FKeyType);
    SetAutoRepeat(source.FAutoRepeat);
    FMelody.Assign(source.FMelody);
    FMakeCodes.Assign(source.FMakeCodes);
    FBreakCodes.Assign(source.FBreakCodes);
    Change();
}

void TKey::Clear()
{
    SetRemark(QString());
    SetKeyType(ktMacro);
    SetAutoRepeat(false);
    FMakeCodes.Clear();
    FBreakCodes.Clear();
    FMelody.Clear();
    Change();
}

bool TKey::IsEmpty() const
{
    return FMelody.IsEmpty() && FMakeCodes.IsEmpty() && FBreakCodes.IsEmpty() && FRemark.isEmpty() &&
           FKeyType == ktMacro && !FAutoRepeat;
}

TKeys::TKeys(TNotifier *notifier) : TNotifyObject(notifier) {}

TKeys::~TKeys() = default;

TKey &TKeys::Add(int col, int row, int logicalNumber)
{
    FItems.push_back(std::make_unique<TKey>(this, col, row, logicalNumber, Notifier()));
    FIndexed = false;
    Change();
    return *FItems.back();
}

void TKeys::Clear()
{
    if (FItems.empty())
        return;
    FItems.clear();
    FIndexed = false;
    Change();
}

namespace {

// Numbers and cells beyond these are looked up by walking the keys: the
// tables stay small whatever a file holds.
constexpr int kIndexedNumbers = 4096;
constexpr int kIndexedCells = 65536;

} // namespace

void TKeys::BuildIndex() const
{
    FByNumber.assign(1, -1);
    FByCell.clear();
    int cols = 0;
    FCellRows = 0;
    bool outside = false;
    for (const auto &key : FItems) {
        outside = outside || key->Col() < 0 || key->Row() < 0;
        cols = std::max(cols, key->Col() + 1);
        FCellRows = std::max(FCellRows, key->Row() + 1);
    }
    if (outside || qint64(cols) * FCellRows > kIndexedCells)
        cols = FCellRows = 0;
    FByCell.assign(size_t(cols) * size_t(FCellRows), -1);
    for (size_t i = 0; i < FItems.size(); ++i) {
        const TKey &key = *FItems[i];
        const int number = key.LogicalNumber();
        if (number >= 0 && number < kIndexedNumbers) {
            if (size_t(number) >= FByNumber.size())
                FByNumber.resize(size_t(number) + 1, -1);
            if (FByNumber[size_t(number)] < 0)
                FByNumber[size_t(number)] = int(i);
        }
        if (FCellRows > 0) {
            int &cell = FByCell[size_t(key.Col()) * size_t(FCellRows) + size_t(key.Row())];
            if (cell < 0)
                cell = int(i);
        }
    }
    FIndexed = true;
}

const TKey *TKeys::KeyAt(int col, int row) const
{
    if (!FIndexed)
        BuildIndex();
    if (FCellRows > 0) {
        if (col < 0 || row < 0 || row >= FCellRows || size_t(col) * size_t(FCellRows) >= FByCell.size())
            return nullptr;
        const int index = FByCell[size_t(col) * size_t(FCellRows) + size_t(row)];
        return index < 0 ? nullptr : FItems[size_t(index)].get();
    }
    for (const auto &key : FItems)
        if (key->Col() == col && key->Row() == row)
            return key.get();
    return nullptr;
}

TKey *TKeys::KeyAt(int col, int row)
{
    return const_cast<TKey *>(std::as_const(*this).KeyAt(col, row));
}

const TKey *TKeys::KeyByNumber(int logicalNumber) const
{
    if (!FIndexed)
        BuildIndex();
    if (logicalNumber >= 0 && logicalNumber < kIndexedNumbers) {
        if (size_t(logicalNumber) >= FByNumber.size())
            return nullptr;
        const int index = FByNumber[size_t(logicalNumber)];
        return index < 0 ? nullptr : FItems[size_t(index)].get();
    }
    for (const auto &key : FItems)
        if (key->LogicalNumber() == logicalNumber)
            return key.get();
    return nullptr;
}

TKey *TKeys::KeyByNumber(int logicalNumber)
{
    return const_cast<TKey *>(std::as_const(*this).KeyByNumber(logicalNumber));
}

void TKeys::Assign(const TKeys &source)
{
    if (&source == this)
        return;
    Clear();
    for (const auto &from : source.FItems) {
        TKey &key = Add(from->Col(), from->Row(), from->LogicalNumber());
        key.AssignContent(*from);
        key.Picture().Assign(from->Picture());
    }
}

void TKeys::CopyByNumber(const TKeys &source)
{
    for (const auto &key : FItems)
        if (const TKey *from = source.KeyByNumber(key->LogicalNumber()))
            key->AssignContent(*from);
}
