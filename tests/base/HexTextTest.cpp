#include "base/HexText.h"

#include <gtest/gtest.h>

TEST(HexText, BytesToHexIsUpperCaseWithoutSeparators)
{
    EXPECT_EQ(BytesToHex(QByteArray("\xE0\xF0\x12\x00", 4)), QStringLiteral("E0F01200"));
    EXPECT_EQ(BytesToHex({}), QString());
}

TEST(HexText, HexToBytesPairsDigitsAndSeparates)
{
    EXPECT_EQ(HexToBytes(u"E0 F0 7"), QByteArray("\xE0\xF0\x07"));
    EXPECT_EQ(HexToBytes(u"E0F"), QByteArray("\xE0\x0F"));
    EXPECT_EQ(HexToBytes(u"e0"), QByteArray("\x00", 1)); // lower case separates: "0" alone
    EXPECT_EQ(HexToBytes(u"1,2;AB"), QByteArray("\x01\x02\xAB"));
    EXPECT_TRUE(HexToBytes(u"").isEmpty());
    EXPECT_TRUE(HexToBytes(u"xyz").isEmpty());
    const QByteArray all = [] {
        QByteArray b;
        for (int i = 0; i < 256; ++i)
            b.append(char(i));
        return b;
    }();
    EXPECT_EQ(HexToBytes(BytesToHex(all)), all);
}
