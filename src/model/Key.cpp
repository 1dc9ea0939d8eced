#include "model/Key.h"

#include "model/KeyPicture.h"
#include "model/Notes.h"
#include "model/ScanCodes.h"

#include <QStringList>
#include <utility>

QString KeyTypeName(int keyType)
{
    static const QStringList names = {
        QStringLiteral("Макрос"),
        QStringLiteral("Переход на cлой вверх"),
        QStringLiteral("Переход на cлой вниз"),
        QStringLiteral("Переход на 1 cлой"),
        QStringLiteral("Переход на 2 cлой"),
        QStringLiteral("Переход на 3 cлой"),
        QStringLiteral("Переход на 4 cлой"),
        QStringLiteral("Временный переход на 1 cлой"),
        QStringLiteral("Временный переход на 2 cлой"),
        QStringLiteral("Временный переход на 3 cлой"),
        QStringLiteral("Временный переход на 4 cлой"),
    };
    return keyType >= ktMacro && keyType <= kLastKeyType ? names[keyType - 1] : QString();
}

TKey::TKey(TKeys *owner, int col, int row, int logicalNumber, TNotifier *notifier)
    : TNotifyObject(notifier), FCol(col), FRow(row), FLogicalNumber(logicalNumber), FOwner(owner),
      FMelody(notifier), FPicture(notifier), FMakeCodes(notifier), FBreakCodes(notifier)
{
}

TKey::~TKey() = default;

void TKey::SetRemark(const QString &value)
{
    Store(FRemark, value);
}

void TKey::SetLogicalNumber(int value)
{
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
    Change();
    return *FItems.back();
}

void TKeys::Clear()
{
    if (FItems.empty())
        return;
    FItems.clear();
    Change();
}

const TKey *TKeys::KeyAt(int col, int row) const
{
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
