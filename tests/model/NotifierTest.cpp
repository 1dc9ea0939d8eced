#include "model/Notifier.h"
#include "model/Notes.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

// The links only pass the layout on to their handlers; these tests need no
// real layout, only an address to compare.
alignas(std::max_align_t) unsigned char gLayoutStorage[16];
TLayout &Layout()
{
    return *reinterpret_cast<TLayout *>(gLayoutStorage);
}

// Records the order in which handlers run.
struct TRecorder {
    std::string Calls;
    TNotifyLink::THandler Handler(char name)
    {
        return [this, name](TLayout &layout) {
            EXPECT_EQ(&layout, &Layout());
            Calls += name;
        };
    }
};

} // namespace

TEST(Notifier, OnChangeFiresOnceUntilModifiedIsCleared)
{
    TNotifier notifier;
    int fired = 0;
    notifier.OnChange = [&](TNotifier &sender) {
        EXPECT_EQ(&sender, &notifier);
        EXPECT_TRUE(sender.Modified());
        ++fired;
    };
    EXPECT_FALSE(notifier.Modified());
    notifier.Change();
    notifier.Change();
    notifier.Change();
    EXPECT_TRUE(notifier.Modified());
    EXPECT_EQ(fired, 1);

    notifier.ResetModified();
    EXPECT_FALSE(notifier.Modified());
    notifier.Change();
    EXPECT_EQ(fired, 2);

    TNotifier silent; // no handler assigned
    silent.Change();
    EXPECT_TRUE(silent.Modified());
}

TEST(Notifier, ObjectMarksItselfAndItsDocument)
{
    TNotifier notifier;
    TNotifyObject object(&notifier);
    EXPECT_EQ(object.Notifier(), &notifier);
    object.Change();
    EXPECT_TRUE(object.IsChanged());
    EXPECT_TRUE(notifier.Modified());
    object.ResetChanged();
    EXPECT_FALSE(object.IsChanged());
    EXPECT_TRUE(notifier.Modified()) << "ResetChanged must not touch the document";

    TNotifyObject freeStanding;
    EXPECT_EQ(freeStanding.Notifier(), nullptr);
    freeStanding.Change();
    EXPECT_TRUE(freeStanding.IsChanged());
}

TEST(Notifier, EqualValueSendsNothing)
{
    TNotifier notifier;
    int fired = 0;
    notifier.OnChange = [&](TNotifier &) { ++fired; };
    TNote note(nullptr, &notifier);
    note.SetPitch(0);
    note.SetVolume(0);
    note.SetDuration(0);
    EXPECT_FALSE(note.IsChanged());
    EXPECT_FALSE(notifier.Modified());
    EXPECT_EQ(fired, 0);

    note.SetPitch(13);
    EXPECT_TRUE(note.IsChanged());
    EXPECT_TRUE(notifier.Modified());
    EXPECT_EQ(fired, 1);
}

TEST(NotifyLinks, NotifyAllRunsFromTheLastLinkToTheFirst)
{
    TNotifyLinks links;
    TRecorder rec;
    int receiverA = 0, receiverB = 0, receiverC = 0;
    TNotifyLink a(rec.Handler('A'), &receiverA, &links);
    TNotifyLink b(rec.Handler('B'), &receiverB, &links);
    TNotifyLink c(rec.Handler('C'), &receiverC, &links);
    TNotifyLink unset(nullptr, nullptr, &links);
    ASSERT_EQ(links.Count(), 4);
    EXPECT_EQ(links.Item(0), &a);
    EXPECT_EQ(links.Item(2), &c);
    EXPECT_EQ(b.Owner(), &links);
    EXPECT_EQ(b.Receiver(), &receiverB);

    links.NotifyAll(Layout());
    EXPECT_EQ(rec.Calls, "CBA") << "a link without handler is skipped";
}

TEST(NotifyLinks, FreedAndMovedLinksLeaveTheList)
{
    TNotifyLinks links, other;
    TRecorder rec;
    TNotifyLink a(rec.Handler('A'), nullptr, &links);
    auto b = std::make_unique<TNotifyLink>(rec.Handler('B'), nullptr, &links);
    TNotifyLink c(rec.Handler('C'), nullptr, &links);
    b.reset();
    EXPECT_EQ(links.Count(), 2);
    links.NotifyAll(Layout());
    EXPECT_EQ(rec.Calls, "CA");

    c.SetOwner(&other);
    EXPECT_EQ(links.Count(), 1);
    EXPECT_EQ(other.Count(), 1);
    EXPECT_EQ(c.Owner(), &other);
    a.SetOwner(nullptr);
    EXPECT_EQ(links.Count(), 0);
    EXPECT_EQ(a.Owner(), nullptr);

    // A list that goes first leaves its links without a list.
    auto shortLived = std::make_unique<TNotifyLinks>();
    TNotifyLink d(rec.Handler('D'), nullptr, shortLived.get());
    shortLived.reset();
    EXPECT_EQ(d.Owner(), nullptr);
}

TEST(NotifyLinks, HandlerMayFreeLinksDuringNotifyAll)
{
    TNotifyLinks links;
    TRecorder rec;
    auto a = std::make_unique<TNotifyLink>(rec.Handler('A'), nullptr, &links);
    auto b = std::make_unique<TNotifyLink>(rec.Handler('B'), nullptr, &links);
    std::unique_ptr<TNotifyLink> c;
    c = std::make_unique<TNotifyLink>(
        [&](TLayout &) {
            rec.Calls += 'C';
            c.reset(); // a view closing itself on a notification
        },
        nullptr, &links);
    links.NotifyAll(Layout());
    EXPECT_EQ(rec.Calls, "CBA");
    EXPECT_EQ(links.Count(), 2);

    // Freeing a link that has not been reached yet: it is skipped and no
    // other link runs twice.
    rec.Calls.clear();
    auto d = std::make_unique<TNotifyLink>(
        [&](TLayout &) {
            rec.Calls += 'D';
            a.reset();
        },
        nullptr, &links);
    links.NotifyAll(Layout());
    EXPECT_EQ(rec.Calls, "DB");
    EXPECT_EQ(links.Count(), 2);
}
