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
    // Walk a copy, so that links freed or added by a handler do not shift the
    // walk; a link freed meanwhile is no longer listed and is skipped. The
    // handler is copied too, as it may free its own link while it runs.
    const std::vector<TNotifyLink *> links = FLinks;
    for (auto it = links.rbegin(); it != links.rend(); ++it) {
        if (std::find(FLinks.begin(), FLinks.end(), *it) == FLinks.end())
            continue;
        if (const TNotifyLink::THandler handler = (*it)->Handler())
            handler(layout);
    }
}
