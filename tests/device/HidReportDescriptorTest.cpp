#include "device/HidReportDescriptor.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// A boot keyboard without report IDs: 8 input bytes (modifiers, a reserved
// byte, six key codes) and one output byte (five LEDs and three pad bits).
const QByteArray kBootKeyboard = QByteArray::fromHex("05010906A101"
                                                     "050719E029E715002501750195088102950175088101"
                                                     "950575010508190129059102950175039101"
                                                     "95067508150025650507190029658100"
                                                     "C0");

// Three top-level collections with report IDs: a keyboard (ID 1: 8 input
// bytes, 1 output byte), consumer keys (ID 2: 2 input bytes) and a vendor
// page (ID 3: 259 input and 259 output bytes, 2 feature bytes).
const QByteArray kComposite = QByteArray::fromHex("05010906A1018501"
                                                  "050719E029E715002501750195088102950175088101"
                                                  "9506750815002565190029658100"
                                                  "950575010508190129059102950175039101"
                                                  "C0"
                                                  "050C0901A1018502150026FF0319002AFF03751095018100C0"
                                                  "0600FF0901A1018503150026FF00750896030181029603019102"
                                                  "9502B102C0");

void ExpectLengths(const QByteArray &descriptor, int input, int output, int feature)
{
    const THidReportDescriptor parsed(descriptor);
    EXPECT_EQ(parsed.InputReportByteLength(), input);
    EXPECT_EQ(parsed.OutputReportByteLength(), output);
    EXPECT_EQ(parsed.FeatureReportByteLength(), feature);
}

} // namespace

TEST(HidReportDescriptor, CountsLongestReportsWithTheReportIDByte)
{
    {
        SCOPED_TRACE("boot keyboard");
        ExpectLengths(kBootKeyboard, 9, 2, 0);
        EXPECT_FALSE(THidReportDescriptor(kBootKeyboard).UsesReportIDs());
    }
    {
        SCOPED_TRACE("reports with IDs");
        ExpectLengths(kComposite, 260, 260, 3);
        EXPECT_TRUE(THidReportDescriptor(kComposite).UsesReportIDs());
    }
    SCOPED_TRACE("nothing declared");
    ExpectLengths({}, 0, 0, 0);
    ExpectLengths(QByteArray::fromHex("05010906A101C0"), 0, 0, 0);
}

TEST(HidReportDescriptor, RoundsEachReportsBitsUp)
{
    // 3 x 3 bits: 9 bits take two bytes.
    ExpectLengths(QByteArray::fromHex("750395038102"), 3, 0, 0);
    // 9 + 7 bits of one report fill two bytes exactly: rounding is per report.
    ExpectLengths(QByteArray::fromHex("750395038102750195078102"), 3, 0, 0);
    // Bits of different reports are not added.
    ExpectLengths(QByteArray::fromHex("85017508950281028502750895038102"), 4, 0, 0);
    // A report ID item with the same ID again adds to that report.
    ExpectLengths(QByteArray::fromHex("850175089502810285027508950381028501750895029102850195028102"), 5, 3,
                  0);
    // Four-byte size and count items.
    ExpectLengths(QByteArray::fromHex("771000000097020000009102"), 0, 5, 0);
    // Sizes beyond any real report saturate at the capability's 16-bit limit.
    ExpectLengths(QByteArray::fromHex("77FFFFFFFF97FFFFFFFF81028102"), 65535, 0, 0);
}

TEST(HidReportDescriptor, KeepsGlobalsAcrossPushPopAndSkipsLongItems)
{
    // Push, change the size and count, pop: the pushed values count again.
    ExpectLengths(QByteArray::fromHex("75089504A475019501B48102"), 5, 0, 0);
    // A pop without a push changes nothing.
    ExpectLengths(QByteArray::fromHex("B4750895028102"), 3, 0, 0);
    // The report ID is global too.
    ExpectLengths(QByteArray::fromHex("8501750895048102A48502B48102"), 9, 0, 0);
    // A long item's data is skipped, even when it looks like an input item.
    ExpectLengths(QByteArray::fromHex("75089502FE020081028102"), 3, 0, 0);
    // Local items and collections do not count.
    ExpectLengths(QByteArray::fromHex("0901A10175089502C08102"), 3, 0, 0);
}

TEST(HidReportDescriptor, SurvivesTruncatedMutatedAndRandomBytes)
{
    const auto expectBounded = [](const QByteArray &data) {
        const THidReportDescriptor parsed(data);
        for (int length : {parsed.InputReportByteLength(), parsed.OutputReportByteLength(),
                           parsed.FeatureReportByteLength()}) {
            ASSERT_GE(length, 0);
            ASSERT_LE(length, 65535);
        }
    };
    for (const QByteArray &descriptor : {kBootKeyboard, kComposite}) {
        for (qsizetype size = 0; size <= descriptor.size(); ++size)
            expectBounded(descriptor.left(size));
    }
    // A cut-off item is dropped, the items before it still count.
    ExpectLengths(kBootKeyboard.left(kBootKeyboard.size() - 1), 9, 2, 0);
    ExpectLengths(kBootKeyboard.left(kBootKeyboard.size() - 2), 3, 2, 0);
    ExpectLengths(QByteArray::fromHex("750895028102FE"), 3, 0, 0);
    ExpectLengths(QByteArray::fromHex("75089502810277"), 3, 0, 0);

    std::mt19937 random(20240611);
    for (int run = 0; run < 3000; ++run) {
        QByteArray data = run % 2 ? kComposite : kBootKeyboard;
        const int edits = 1 + int(random() % 6);
        for (int i = 0; i < edits; ++i)
            data[qsizetype(random() % uint32_t(data.size()))] = char(random());
        expectBounded(data);
    }
    for (int run = 0; run < 3000; ++run) {
        QByteArray data(qsizetype(random() % 300), Qt::Uninitialized);
        for (char &byte : data)
            byte = char(random());
        expectBounded(data);
    }
    // Nothing but pushes, and nothing but long items claiming more than is left.
    expectBounded(QByteArray(100000, char(0xA4)));
    expectBounded(QByteArray(1000, char(0xFE)));
}
