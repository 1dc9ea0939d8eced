#include "model/Notifier.h"

#include <algorithm>

void TNotifier::Change()
{
    const bool wasModified = FModified;
    FModified = true;
    if (!wasModified && OnChange)
        OnChange(*this);
}

void TNotifyObject::Change()
{
    if (FNotifier)
        FNotifier->Change();
    FIsChanged = true;
}

TNotifyLink::TNotifyLink(THandler handler, const void *receiver, TNotifyLinks *owner)
    : FHandler(std::move(handler)), FReceiver(receiver)
{
    SetOwner(owner);
}

TNotifyLink::~TNotifyLink() { SetOwner(nullptr); }

void TNotifyLink::SetOwner(TNotifyLinks *owner)
{
    if (owner == FOwner)
        return;
    if (FOwner)
        std::erase(FOwner->FLinks, this);
    FOwner = owner;
    if (FOwner)
        FOwner->FLinks.push_back(this);
}

TNotifyLinks::~TNotifyLinks()
{
    for (TNotifyLink *link : FLinks)
        link->FOwner = nullptr;
}

void TNotifyLinks::NotifyAll(TLayout &layout)
{
    // Walk by index so that links freed by a handler are simply skipped.
    for (int i = Count() - 1; i >= 0; --i) {
        if (i >= Count())
            continue;
        TNotifyLink *link = FLinks[size_t(i)];
        if (link->Handler())
            link->Handler()(layout);
    }
}
