#include "support/LayoutCompare.h"

#include "model/Key.h"
#include "model/KeyGroup.h"
#include "model/KeyLock.h"
#include "model/KeyPicture.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/MSR.h"
#include "model/Notes.h"
#include "model/ScanCodes.h"

#include <QStringList>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

std::string Std(const QString &text)
{
    return text.toStdString();
}

std::string Hex(const QByteArray &bytes)
{
    return bytes.toHex(' ').toStdString();
}

void ExpectSameRect(const TRect &a, const TRect &b)
{
    EXPECT_EQ(a.Left, b.Left);
    EXPECT_EQ(a.Top, b.Top);
    EXPECT_EQ(a.Right, b.Right);
    EXPECT_EQ(a.Bottom, b.Bottom);
}

void ExpectSameCodes(const TScanCodes &a, const TScanCodes &b, const char *what)
{
    SCOPED_TRACE(what);
    EXPECT_EQ(Hex(a.Data()), Hex(b.Data()));
    EXPECT_EQ(Std(a.Text()), Std(b.Text()));
}

void ExpectSameNotes(const TNotes &a, const TNotes &b, const char *what)
{
    SCOPED_TRACE(what);
    EXPECT_TRUE(a.Equals(b)) << Std(a.Text()) << " / " << Std(b.Text());
}

void ExpectSamePicture(const TKeyPicture &a, const TKeyPicture &b)
{
    SCOPED_TRACE("picture");
    EXPECT_EQ(Std(a.Text()), Std(b.Text()));
    EXPECT_EQ(a.BackgroundColor(), b.BackgroundColor());
    EXPECT_EQ(a.TextOrientation(), b.TextOrientation());
    const TFont &fa = a.Font();
    const TFont &fb = b.Font();
    EXPECT_EQ(Std(fa.Name()), Std(fb.Name()));
    EXPECT_EQ(fa.Height(), fb.Height());
    EXPECT_EQ(fa.PixelsPerInch(), fb.PixelsPerInch());
    EXPECT_EQ(fa.Charset(), fb.Charset());
    EXPECT_EQ(fa.Color(), fb.Color());
    EXPECT_EQ(fa.Style(), fb.Style());
    EXPECT_EQ(Std(a.Picture().ClassName()), Std(b.Picture().ClassName()));
    EXPECT_EQ(a.Picture().Data(), b.Picture().Data()) << "graphic bytes differ";
}

void ExpectSameKey(const TKey &a, const TKey &b)
{
    EXPECT_EQ(a.Col(), b.Col());
    EXPECT_EQ(a.Row(), b.Row());
    EXPECT_EQ(a.LogicalNumber(), b.LogicalNumber());
    EXPECT_EQ(int(a.KeyType()), int(b.KeyType()));
    EXPECT_EQ(a.AutoRepeat(), b.AutoRepeat());
    EXPECT_EQ(Std(a.Remark()), Std(b.Remark()));
    ExpectSameCodes(a.MakeCodes(), b.MakeCodes(), "make codes");
    ExpectSameCodes(a.BreakCodes(), b.BreakCodes(), "break codes");
    ExpectSameNotes(a.Melody(), b.Melody(), "melody");
    ExpectSamePicture(a.Picture(), b.Picture());
}

void ExpectSameMSR(const TMSR &a, const TMSR &b)
{
    SCOPED_TRACE("card reader");
    EXPECT_EQ(a.SendEnter(), b.SendEnter());
    EXPECT_EQ(a.StopOnError(), b.StopOnError());
    EXPECT_EQ(a.LightIndication(), b.LightIndication());
    ExpectSameNotes(a.Melody(), b.Melody(), "reader melody");
    for (int t = 0; t < kMSRTrackCount; ++t) {
        SCOPED_TRACE(testing::Message() << "track " << t + 1);
        EXPECT_EQ(a.Track(t).Enabled(), b.Track(t).Enabled());
        ExpectSameCodes(a.Track(t).Prefix(), b.Track(t).Prefix(), "prefix");
        ExpectSameCodes(a.Track(t).Suffix(), b.Track(t).Suffix(), "suffix");
    }
}

void ExpectSameKeyLock(const TKeyLock &a, const TKeyLock &b)
{
    SCOPED_TRACE("key lock");
    ASSERT_EQ(a.Count(), b.Count());
    for (int p = 0; p < a.Count(); ++p) {
        SCOPED_TRACE(testing::Message() << "position " << p + 1);
        const TKeyPosition &pa = a.Item(p);
        const TKeyPosition &pb = b.Item(p);
        EXPECT_EQ(pa.PositionType(), pb.PositionType());
        EXPECT_EQ(pa.Locked(), pb.Locked());
        ExpectSameCodes(pa.Codes(), pb.Codes(), "codes");
        ExpectSameNotes(pa.Melody(), pb.Melody(), "melody");
    }
}

void ExpectSameLayer(const TLayer &a, const TLayer &b)
{
    const TKeys &ka = a.Keys();
    const TKeys &kb = b.Keys();
    EXPECT_EQ(ka.Count(), kb.Count());
    for (int k = 0; k < std::min(ka.Count(), kb.Count()); ++k) {
        SCOPED_TRACE(testing::Message()
                     << "key " << k << " at (" << ka.Item(k).Col() << ", " << ka.Item(k).Row() << ")");
        ExpectSameKey(ka.Item(k), kb.Item(k));
    }
    ExpectSameMSR(a.MSR(), b.MSR());
    ExpectSameKeyLock(a.KeyLock(), b.KeyLock());
}

} // namespace

void ExpectSameLayout(const TLayout &expected, const TLayout &actual)
{
    EXPECT_EQ(expected.KeyboardID(), actual.KeyboardID());
    EXPECT_EQ(expected.HasKey(), actual.HasKey());
    EXPECT_EQ(expected.HasReader(), actual.HasReader());
    EXPECT_EQ(expected.KeyCount(), actual.KeyCount());
    EXPECT_EQ(expected.Version(), actual.Version());
    EXPECT_EQ(expected.Track1(), actual.Track1());
    EXPECT_EQ(expected.Track2(), actual.Track2());
    EXPECT_EQ(expected.Track3(), actual.Track3());
    EXPECT_EQ(expected.KeyPositions(), actual.KeyPositions());
    EXPECT_EQ(expected.Columns(), actual.Columns());
    EXPECT_EQ(expected.Rows(), actual.Rows());
    {
        SCOPED_TRACE("selection");
        ExpectSameRect(expected.Selection(), actual.Selection());
    }

    EXPECT_EQ(expected.LayerCount(), actual.LayerCount());
    for (int l = 0; l < std::min(expected.LayerCount(), actual.LayerCount()); ++l) {
        SCOPED_TRACE(testing::Message() << "layer " << l + 1);
        ExpectSameLayer(expected.Layers().Item(l), actual.Layers().Item(l));
    }

    const TKeyGroups &ga = expected.Groups();
    const TKeyGroups &gb = actual.Groups();
    EXPECT_EQ(ga.Count(), gb.Count());
    for (int g = 0; g < std::min(ga.Count(), gb.Count()); ++g) {
        SCOPED_TRACE(testing::Message() << "group " << g);
        ExpectSameRect(ga.Item(g).Rect(), gb.Item(g).Rect());
    }
}

QString LayoutDifferences(const TLayout &expected, const TLayout &actual)
{
    testing::TestPartResultArray failures;
    {
        const testing::ScopedFakeTestPartResultReporter reporter(
            testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
        ExpectSameLayout(expected, actual);
    }
    QStringList lines;
    for (int i = 0; i < failures.size(); ++i)
        lines << QString::fromStdString(failures.GetTestPartResult(i).message());
    return lines.join(u'\n');
}
