#include "base/Win1251.h"

#include <gtest/gtest.h>

TEST(Win1251, EveryByteRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = FromWin1251(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(ToWin1251(text), all);
    EXPECT_EQ(text[0x98].unicode(), 0x0098); // undefined in the code page, kept as is

    // ASCII runs are converted in blocks: every byte still lands in its
    // place wherever the runs begin and end.
    for (int lead = 0; lead < 20; ++lead) {
        const QByteArray mixed = QByteArray(lead, 'a') + all + QByteArray(37, 'b') + all.mid(0xC0);
        const QString decoded = FromWin1251(mixed);
        ASSERT_EQ(decoded.size(), mixed.size());
        for (qsizetype i = 0; i < mixed.size(); ++i)
            ASSERT_EQ(decoded[i].unicode(), Win1251Char(uchar(mixed[i]))) << "lead " << lead << ", byte " << i;
        EXPECT_EQ(ToWin1251(decoded), mixed) << "lead " << lead;
    }
}

TEST(Win1251, CyrillicAndPunctuation)
{
    EXPECT_EQ(FromWin1251("\xD0\xE0\xF1\xEA\xEB\xE0\xE4\xEA\xE0"), QStringLiteral("Раскладка"));
    EXPECT_EQ(ToWin1251(QStringLiteral("Ёё№—€")), QByteArray("\xA8\xB8\xB9\x97\x88"));
    EXPECT_EQ(ToWin1251(QStringLiteral("A\u4E2DB")), QByteArray("A?B")); // not in the code page
    EXPECT_EQ(ToWin1251(QStringLiteral("ЖжЖжЖжЖжЖжЖж\u4E2DЖжЖж")), QByteArray("\xC6\xE6\xC6\xE6\xC6\xE6\xC6\xE6\xC6\xE6\xC6\xE6?\xC6\xE6\xC6\xE6"));
}
