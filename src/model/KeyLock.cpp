#include "model/KeyLock.h"

#include "base/Error.h"

#include <QCoreApplication>

QString PositionTypeName(int positionType)
{
    if (positionType == 0)
        return QCoreApplication::translate("TKeyLock", "Макрос");
    if (positionType < 0 || positionType >= kPositionTypeCount)
        return QString();
    // The word "слой" is written with a Latin "c" in these names.
    return QCoreApplication::translate("TKeyLock", "Переход на %1 cлой").arg(positionType);
}

QStringList PositionTypeNames()
{
    QStringList names;
    for (int i = 0; i < kPositionTypeCount; ++i)
        names.append(PositionTypeName(i));
    return names;
}

TKeyPosition::TKeyPosition(TKeyLock *owner, TNotifier *notifier)
    : TNotifyObject(notifier), FMelody(std::make_unique<TNotes>(notifier)), FOwner(owner),
      FCodes(std::make_unique<TScanCodes>(notifier))
{}

TKeyPosition::~TKeyPosition() = default;

void TKeyPosition::SetPositionType(uint8_t value)
{
    Store(FPositionType, value);
}

void TKeyPosition::SetLocked(bool value)
{
    Store(FLocked, value);
}

void TKeyPosition::Assign(const TKeyPosition &source)
{
    SetPositionType(source.FPositionType);
    FMelody->Assign(*source.FMelody);
    FCodes->Assign(*source.FCodes);
    FLocked = source.FLocked;
    Change();
}

bool TKeyPosition::Validate() const
{
    return FCodes->Validate();
}

TKeyLock::TKeyLock(TNotifier *notifier) : TNotifyObject(notifier) {}

TKeyLock::~TKeyLock() = default;

TKeyPosition &TKeyLock::Add()
{
    if (Count() >= kMaxKeyPositions)
        throw EError(
            QCoreApplication::translate("TKeyLock", "Количество положений ключа не может быть больше 8."));
    FItems.push_back(std::make_unique<TKeyPosition>(this, Notifier()));
    Change();
    return *FItems.back();
}

void TKeyLock::Clear()
{
    if (FItems.empty())
        return;
    FItems.clear();
    Change();
}

void TKeyLock::Assign(const TKeyLock &source)
{
    if (&source == this)
        return;
    Clear();
    for (const auto &position : source.FItems)
        Add().Assign(*position);
    Change();
}

void TKeyLock::SetCount(int count)
{
    while (Count() < count)
        Add();
    while (Count() > count && !FItems.empty())
        FItems.pop_back();
    Change();
}

bool TKeyLock::Validate() const
{
    for (size_t i = 0; i < FItems.size(); ++i) {
        const TKeyPosition &position = *FItems[i];
        if (!position.Validate()) {
            FErrorText = QCoreApplication::translate("TKeyLock", "Ключ. Положение %1. %2")
                             .arg(int(i) + 1)
                             .arg(position.Codes().ErrorText());
            return false;
        }
    }
    return true;
}
