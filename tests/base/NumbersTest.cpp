#include "base/Error.h"
#include "base/Numbers.h"

#include <gtest/gtest.h>

TEST(Numbers, ParseIntAcceptsSignedDecimalWithin32Bits)
{
    EXPECT_EQ(ParseInt(u"0"), 0);
    EXPECT_EQ(ParseInt(u"-17"), -17);
    EXPECT_EQ(ParseInt(u"+5"), 5);
    EXPECT_EQ(ParseInt(u"2147483647"), INT32_MAX);
    EXPECT_EQ(ParseInt(u"-2147483648"), INT32_MIN);
    for (const char16_t *bad : {u"", u"-", u"2147483648", u"-2147483649", u" 1", u"1 ", u"0x10", u"1e3",
                                u"99999999999999999999"})
        EXPECT_FALSE(ParseInt(bad).has_value()) << QString::fromUtf16(bad).toStdString();
}

TEST(Numbers, ParseHexAndStrToInt)
{
    EXPECT_EQ(ParseHex(u"e0"), 0xE0u);
    EXPECT_EQ(ParseHex(u"FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_FALSE(ParseHex(u"100000000").has_value());
    EXPECT_FALSE(ParseHex(u"$12").has_value());
    EXPECT_FALSE(ParseHex(u"").has_value());
    EXPECT_EQ(StrToInt(u"42"), 42);
    try {
        StrToInt(u"4x");
        FAIL();
    } catch (const EConvertError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("\"4x\" не является целым числом."));
    }
}
