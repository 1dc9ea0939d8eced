#include "model/Layer.h"

#include "base/Error.h"
#include "model/Key.h"
#include "model/KeyLock.h"
#include "model/MSR.h"

#include <QCoreApplication>
#include <utility>

TLayer::TLayer(TLayers *owner, TNotifier *notifier)
    : TNotifyObject(notifier), FMSR(std::make_unique<TMSR>(notifier)), FKeys(std::make_unique<TKeys>(notifier)),
      FOwner(owner), FKeyLock(std::make_unique<TKeyLock>(notifier))
{
}

TLayer::~TLayer() = default;

const TKey *TLayer::KeyAt(int col, int row) const
{
    return std::as_const(*FKeys).KeyAt(col, row);
}

TKey *TLayer::KeyAt(int col, int row)
{
    return FKeys->KeyAt(col, row);
}

const TKey &TLayer::KeyAtOrFail(int col, int row) const
{
    if (const TKey *key = KeyAt(col, row))
        return *key;
    throw EError(QCoreApplication::translate("TLayer", "Клавиша с координатами (%1, %2) не найдена.")
                     .arg(col)
                     .arg(row));
}

TKey &TLayer::KeyAtOrFail(int col, int row)
{
    return const_cast<TKey &>(std::as_const(*this).KeyAtOrFail(col, row));
}

void TLayer::Assign(const TLayer &source)
{
    FMSR->Assign(*source.FMSR);
    FKeys->Assign(*source.FKeys);
    FKeyLock->Assign(*source.FKeyLock);
}

TLayers::TLayers(TNotifier *notifier) : TNotifyObject(notifier) {}

TLayers::~TLayers() = default;

TLayer &TLayers::Add()
{
    FItems.push_back(std::make_unique<TLayer>(this, Notifier()));
    Change();
    return *FItems.back();
}

void TLayers::Clear()
{
    if (FItems.empty())
        return;
    FItems.clear();
    Change();
}

void TLayers::Assign(const TLayers &source)
{
    if (&source == this)
        return;
    Clear();
    for (const auto &layer : source.FItems)
        Add().Assign(*layer);
}

void TLayers::SetCount(int count)
{
    if (count < 1)
        throw EError(
            QCoreApplication::translate("TLayer", "Неверное значение количества слоев: %1").arg(count) +
            QStringLiteral("\r\n") +
            QCoreApplication::translate("TLayer", "Количество слоев должно быть больше 0."));
    while (Count() < count)
        Add();
    while (Count() > count) {
        FItems.pop_back();
        Change();
    }
}
