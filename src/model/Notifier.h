#pragma once

#include <functional>
#include <vector>

class TLayout;

/// The modified flag of one document, shared by all its model objects.
class TNotifier {
public:
    /// Fired when Modified goes from false to true.
    std::function<void(TNotifier &)> OnChange;

    /// Marks the document modified.
    void Change();
    bool Modified() const { return FModified; }
    void ResetModified() { FModified = false; }

private:
    bool FModified = false;
};

/// The base of every model object: it records its own change and marks its
/// document modified.
class TNotifyObject {
public:
    explicit TNotifyObject(TNotifier *notifier = nullptr) : FNotifier(notifier) {}
    virtual ~TNotifyObject() = default;
    TNotifyObject(const TNotifyObject &) = delete;
    TNotifyObject &operator=(const TNotifyObject &) = delete;

    /// The document's notifier, null for a free-standing object.
    TNotifier *Notifier() const { return FNotifier; }
    /// Returns whether the object changed since ResetChanged.
    bool IsChanged() const { return FIsChanged; }
    /// Marks the document modified (if any) and this object changed.
    void Change();
    void ResetChanged() { FIsChanged = false; }

protected:
    /// Stores value in field and calls Change, only when they differ; the
    /// pattern of every setter of the model.
    template <typename T, typename U> void Store(T &field, const U &value)
    {
        if (field == value)
            return;
        field = value;
        Change();
    }

private:
    TNotifier *FNotifier;
    bool FIsChanged = false;
};

class TNotifyLinks;

/// A view's registration on a layout. The view owns the link; destroying it
/// takes it out of its list.
class TNotifyLink {
public:
    using THandler = std::function<void(TLayout &)>;

    TNotifyLink(THandler handler, const void *receiver, TNotifyLinks *owner = nullptr);
    ~TNotifyLink();
    TNotifyLink(const TNotifyLink &) = delete;
    TNotifyLink &operator=(const TNotifyLink &) = delete;

    const THandler &Handler() const { return FHandler; }
    /// The object the handler belongs to (identification only).
    const void *Receiver() const { return FReceiver; }
    TNotifyLinks *Owner() const { return FOwner; }
    /// Moves the link to another list (or none), leaving the old one first.
    void SetOwner(TNotifyLinks *owner);

private:
    friend class TNotifyLinks;
    THandler FHandler;
    const void *FReceiver;
    TNotifyLinks *FOwner = nullptr;
};

/// The views registered on a layout. The list does not own its links;
/// destroying it leaves the links without a list.
class TNotifyLinks {
public:
    TNotifyLinks() = default;
    ~TNotifyLinks();
    TNotifyLinks(const TNotifyLinks &) = delete;
    TNotifyLinks &operator=(const TNotifyLinks &) = delete;

    int Count() const { return int(FLinks.size()); }
    TNotifyLink *Item(int index) const { return FLinks[size_t(index)]; }
    /// Calls every link's handler, from the last link to the first; a handler
    /// may free its own or another link meanwhile.
    void NotifyAll(TLayout &layout);

private:
    friend class TNotifyLink;
    std::vector<TNotifyLink *> FLinks;
};
