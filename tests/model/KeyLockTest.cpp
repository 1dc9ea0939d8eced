#include "model/KeyLock.h"
#include "base/Error.h"

#include <gtest/gtest.h>

TEST(KeyLock, PositionTypeNames)
{
    const QStringList names = PositionTypeNames();
    ASSERT_EQ(names.size(), kPositionTypeCount);
    EXPECT_EQ(names[0], u"Макрос");
    EXPECT_EQ(names[1], u"Переход на 1 cлой");
    EXPECT_EQ(names[4], u"Переход на 4 cлой");
    EXPECT_EQ(names[2].at(13), QChar(u'c')) << "the word is written with a Latin c";
    EXPECT_EQ(PositionTypeName(5), u"");
    EXPECT_EQ(PositionTypeName(-1), u"");
}

TEST(KeyLock, AtMostEightPositions)
{
    TNotifier notifier;
    TKeyLock lock(&notifier);
    for (int i = 0; i < kMaxKeyPositions; ++i) {
        TKeyPosition &position = lock.Add();
        EXPECT_EQ(position.Owner(), &lock);
        EXPECT_EQ(position.Codes().Notifier(), &notifier);
        EXPECT_EQ(position.Melody().Notifier(), &notifier);
    }
    try {
        lock.Add();
        FAIL();
    } catch (const EError &e) {
        EXPECT_EQ(e.Message(), u"Количество положений ключа не может быть больше 8.");
    }
    EXPECT_EQ(lock.Count(), 8);
    EXPECT_THROW(lock.SetCount(9), EError);
    EXPECT_EQ(lock.Count(), 8);
}

TEST(KeyLock, SetCountAppendsAndDropsAtTheEnd)
{
    TKeyLock lock;
    lock.SetCount(3);
    ASSERT_EQ(lock.Count(), 3);
    TKeyPosition *first = &lock.Item(0);
    lock.Item(0).SetPositionType(2);
    lock.SetCount(1);
    ASSERT_EQ(lock.Count(), 1);
    EXPECT_EQ(&lock.Item(0), first);
    EXPECT_EQ(lock.Item(0).PositionType(), 2);

    lock.SetCount(8);
    lock.ResetChanged();
    TKeyPosition *last = &lock.Item(7);
    lock.SetCount(8);
    EXPECT_EQ(lock.Count(), 8);
    EXPECT_EQ(&lock.Item(7), last) << "an equal count keeps the positions";
    EXPECT_TRUE(lock.IsChanged()) << "but still marks the lock changed";

    lock.SetCount(0);
    EXPECT_EQ(lock.Count(), 0);
}

TEST(KeyLock, AssignCopiesPositions)
{
    TKeyLock source;
    TKeyPosition &p1 = source.Add();
    p1.SetPositionType(3);
    p1.SetLocked(true);
    p1.Codes().SetText(u"+F1 -F1");
    p1.Melody().SetText(u"C2;1;2");
    source.Add();

    TNotifier notifier;
    TKeyLock target(&notifier);
    target.SetCount(5);
    target.Assign(source);
    ASSERT_EQ(target.Count(), 2);
    EXPECT_EQ(target.Item(0).PositionType(), 3);
    EXPECT_TRUE(target.Item(0).Locked());
    EXPECT_EQ(target.Item(0).Codes().Text(), u"+F1 -F1");
    EXPECT_EQ(target.Item(0).Melody().Text(), u"C2;1;2");
    EXPECT_EQ(target.Item(0).Owner(), &target);
    EXPECT_EQ(target.Item(0).Notifier(), &notifier);
    EXPECT_FALSE(target.Item(1).Locked());

    // Assigning a lock to itself leaves it alone.
    TKeyPosition *kept = &target.Item(0);
    target.ResetChanged();
    notifier.ResetModified();
    target.Assign(target);
    EXPECT_EQ(target.Count(), 2);
    EXPECT_EQ(&target.Item(0), kept);
    EXPECT_FALSE(target.IsChanged());
    EXPECT_FALSE(notifier.Modified());
}

TEST(KeyLock, PositionSettersNotifyOnlyOnDifference)
{
    TNotifier notifier;
    TKeyPosition position(nullptr, &notifier);
    position.SetPositionType(0);
    position.SetLocked(false);
    EXPECT_FALSE(position.IsChanged());
    EXPECT_FALSE(notifier.Modified());
    position.SetLocked(true);
    EXPECT_TRUE(position.IsChanged());
    EXPECT_TRUE(notifier.Modified());

    TKeyPosition copy(nullptr);
    copy.Assign(position);
    EXPECT_TRUE(copy.Locked());
    EXPECT_TRUE(copy.IsChanged());
}

TEST(KeyLock, ValidateNamesTheFirstFaultyPosition)
{
    TKeyLock lock;
    EXPECT_TRUE(lock.Validate()) << "no positions";
    lock.SetCount(4);
    lock.Item(0).Codes().SetText(u"+A -A");
    EXPECT_TRUE(lock.Validate());
    lock.Item(2).Codes().SetText(u"-B");
    lock.Item(3).Codes().SetText(u"+C");
    EXPECT_FALSE(lock.Validate());
    EXPECT_EQ(lock.ErrorText(), u"Ключ. Положение 3. Код -B: Отжатие перед нажатием.");
    EXPECT_FALSE(lock.Item(3).Validate());
    EXPECT_EQ(lock.Item(3).Codes().ErrorText(), u"Код +C: Нет отжатия.");
}
