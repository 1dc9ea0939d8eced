#include "model/MSR.h"
#include "base/Error.h"

#include <gtest/gtest.h>

TEST(MSR, DefaultsAndClear)
{
    TNotifier notifier;
    TMSR reader(&notifier);
    EXPECT_FALSE(reader.SendEnter());
    EXPECT_FALSE(reader.StopOnError()) << "a new reader does not stop on errors";
    EXPECT_TRUE(reader.LightIndication());
    for (int i = 0; i < kMSRTrackCount; ++i) {
        EXPECT_TRUE(reader.Track(i).Enabled());
        EXPECT_TRUE(reader.Track(i).Prefix().IsEmpty());
        EXPECT_EQ(reader.Track(i).Suffix().Notifier(), &notifier);
    }
    EXPECT_EQ(reader.Melody().Notifier(), &notifier);

    reader.SetSendEnter(true);
    reader.SetLightIndication(false);
    reader.Track(1).SetEnabled(false);
    reader.Track(1).Prefix().SetText(u"+A -A");
    reader.Track(2).Suffix().SetText(u"0D");
    reader.Melody().SetText(u"C1;1;1");
    reader.Clear();
    EXPECT_FALSE(reader.SendEnter());
    EXPECT_TRUE(reader.StopOnError()) << "Clear turns stopping on errors on";
    EXPECT_FALSE(reader.LightIndication()) << "Clear keeps the light indication";
    EXPECT_TRUE(reader.Track(1).Enabled());
    EXPECT_TRUE(reader.Track(1).Prefix().IsEmpty());
    EXPECT_TRUE(reader.Track(2).Suffix().IsEmpty());
    EXPECT_TRUE(reader.Melody().IsEmpty());
}

TEST(MSR, TrackIndexIsChecked)
{
    TMSR reader;
    for (int index : {-1, 3, 100}) {
        try {
            reader.Track(index);
            FAIL() << index;
        } catch (const EError &e) {
            EXPECT_EQ(e.Message(), u"Неверное значение индекса трека.");
        }
    }
}

TEST(MSR, SettersNotifyOnlyOnDifference)
{
    TNotifier notifier;
    TMSR reader(&notifier);
    reader.SetSendEnter(false);
    reader.SetStopOnError(false);
    reader.SetLightIndication(true);
    reader.Track(0).SetEnabled(true);
    EXPECT_FALSE(reader.IsChanged());
    EXPECT_FALSE(reader.Track(0).IsChanged());
    EXPECT_FALSE(notifier.Modified());

    reader.Track(0).SetEnabled(false);
    EXPECT_TRUE(reader.Track(0).IsChanged());
    EXPECT_FALSE(reader.IsChanged());
    EXPECT_TRUE(notifier.Modified());
    reader.SetStopOnError(true);
    EXPECT_TRUE(reader.IsChanged());
}

TEST(MSR, AssignCopiesEverything)
{
    TMSR source;
    source.SetSendEnter(true);
    source.SetStopOnError(true);
    source.SetLightIndication(false);
    source.Track(0).SetEnabled(false);
    source.Track(0).Prefix().SetText(u"+LShift -LShift");
    source.Track(2).Suffix().SetText(u"+F2 -F2");
    source.Melody().SetText(u"A2;5;6");

    TNotifier notifier;
    TMSR target(&notifier);
    target.Track(1).Prefix().SetText(u"01");
    target.Assign(source);
    EXPECT_TRUE(target.SendEnter());
    EXPECT_TRUE(target.StopOnError());
    EXPECT_FALSE(target.LightIndication());
    EXPECT_FALSE(target.Track(0).Enabled());
    EXPECT_TRUE(target.Track(1).Enabled());
    EXPECT_EQ(target.Track(0).Prefix().Text(), u"+LShift -LShift");
    EXPECT_TRUE(target.Track(1).Prefix().IsEmpty());
    EXPECT_EQ(target.Track(2).Suffix().Text(), u"+F2 -F2");
    EXPECT_EQ(target.Melody().Text(), u"A2;5;6");
    EXPECT_EQ(target.Track(0).Prefix().Notifier(), &notifier) << "copies stay with their own document";

    // Assign marks changed even when nothing differs.
    target.ResetChanged();
    target.Track(0).ResetChanged();
    target.Assign(source);
    EXPECT_TRUE(target.IsChanged());
    EXPECT_TRUE(target.Track(0).IsChanged());
}

TEST(MSR, ValidateNamesTheFirstFaultyTrack)
{
    TMSR reader;
    EXPECT_TRUE(reader.Validate());
    reader.Track(0).Prefix().SetText(u"+A -A");
    EXPECT_TRUE(reader.Validate());

    reader.Track(1).SetEnabled(false); // disabled tracks are checked as well
    reader.Track(1).Suffix().SetText(u"+A");
    reader.Track(2).Prefix().SetText(u"-B");
    EXPECT_FALSE(reader.Validate());
    EXPECT_EQ(reader.ErrorText(), u"Считыватель карт. Трек 2. Суффикс. Код +A: Нет отжатия.");
    EXPECT_EQ(reader.Track(1).ErrorText(), u"Суффикс. Код +A: Нет отжатия.");

    reader.Track(0).Prefix().SetText(u"-B");
    reader.Track(0).Suffix().SetText(u"+C");
    EXPECT_FALSE(reader.Validate());
    EXPECT_EQ(reader.ErrorText(), u"Считыватель карт. Трек 1. Префикс. Код -B: Отжатие перед нажатием.")
        << "the prefix is checked before the suffix";
}
