#include "codes/ScanCode.h"
#include "base/Error.h"

#include <gtest/gtest.h>

TEST(ScanCode, TextEqualsAndAssign)
{
    TScanCode make;
    make.Name = u"A"_qs;
    make.CodeType = ctMake;
    make.SetData(QByteArray("\x1C"));
    make.ScanCode = QByteArray("\x1E");
    EXPECT_EQ(make.Prefix(), u"+");
    EXPECT_EQ(make.Text(), u"+A");

    TScanCode copy;
    copy.Assign(make);
    EXPECT_EQ(copy.Text(), u"+A");
    EXPECT_EQ(copy.ScanCode, make.ScanCode);
    EXPECT_TRUE(copy.Equals(make));
    copy.CodeType = ctBreak;
    EXPECT_EQ(copy.Text(), u"-A");
    EXPECT_FALSE(copy.Equals(make));

    TScanCode a, b;
    a.SetData(QByteArray("\x12"));
    a.Name = u"12"_qs;
    b.SetData(QByteArray("\x12"));
    b.Name = u"012"_qs;
    EXPECT_TRUE(a.Equals(b));
    EXPECT_EQ(a.Text(), u"12");

    a.CodeType = TCodeType(3);
    try {
        (void)a.Text();
        FAIL();
    } catch (const EError &e) {
        EXPECT_EQ(e.Message(), u"Неверное значение CodeType");
    }
}
