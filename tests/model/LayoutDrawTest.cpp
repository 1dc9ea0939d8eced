#include "LayoutTestKeyboards.h"

#include "base/Error.h"
#include "model/Font.h"
#include "model/Key.h"
#include "model/KeyGroup.h"
#include "model/KeyPicture.h"
#include "model/Layer.h"
#include "model/Layout.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

// The geometry of every drawing here: cells of 20 x 10, gaps of 6 (between
// boxes in a row) and 8 (between bands and rows of boxes).
constexpr int kW = 20;
constexpr int kH = 10;
constexpr int kGapX = 6;
constexpr int kGapY = 8;

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);

struct TDrawnLayout {
    TLayout Layout;

    /// Shapes the layout and gives every key of the first layer a red
    /// background.
    explicit TDrawnLayout(const TKeyboard &keyboard)
    {
        Layout.ApplyKeyboard(keyboard);
        TLayer &layer = Layout.Layers().Item(0);
        for (int c = 0; c < Layout.Columns(); ++c)
            for (int r = 0; r < Layout.Rows(); ++r)
                if (TKey *key = layer.KeyAt(c, r))
                    key->Picture().SetBackgroundColor(0x0000FF);
    }

    TKeyPicture &Picture(int col, int row)
    {
        return Layout.Layers().Item(0).KeyAtOrFail(col, row).Picture();
    }

    void AddGroup(const TRect &rect) { Layout.Groups().Add().SetRect(rect); }

    /// Draws into an image of width x height filled with background, bounds
    /// being the whole image unless given.
    QImage Draw(int width, int height, QRgb background = kWhite, QRect bounds = QRect()) const
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(background);
        QPainter painter(&image);
        Layout.Draw(painter, kW, bounds.isNull() ? image.rect() : bounds, kGapY, kGapX, kH);
        return image;
    }
};

} // namespace

TEST(LayoutDraw, ColumnsThatFitMakeOneBandWithItsGridLines)
{
    TKeyboards keyboards;
    TDrawnLayout drawn(AddMatrixKeyboard(keyboards, 1, 4, 2, 1));
    drawn.Picture(1, 1).SetBackgroundColor(0xFF0000);
    // Bounds at (10, 5): the grid starts at (12, 7) and is 80 x 20.
    const QImage image = drawn.Draw(140, 60, kWhite, QRect(10, 5, 100, 50));
    for (int k = 0; k <= 4; ++k)
        EXPECT_EQ(image.pixel(12 + k * kW, 12), kBlack) << k;
    for (int k = 0; k <= 2; ++k)
        EXPECT_EQ(image.pixel(50, 7 + k * kH), kBlack) << k;
    EXPECT_EQ(image.pixel(11, 12), kWhite);
    EXPECT_EQ(image.pixel(93, 12), kWhite);
    EXPECT_EQ(image.pixel(50, 6), kWhite);
    EXPECT_EQ(image.pixel(50, 28), kWhite);
    // Cell interiors carry the key backgrounds: (0, 0) red, (1, 1) blue.
    EXPECT_EQ(image.pixel(13, 8), kRed);
    EXPECT_EQ(image.pixel(31, 16), kRed);
    EXPECT_EQ(image.pixel(33, 18), kBlue);
    EXPECT_EQ(image.pixel(51, 26), kBlue);
    // Nothing below: no second band, no group boxes.
    for (int y = 28; y < 60; ++y)
        for (int x = 0; x < 140; ++x)
            ASSERT_EQ(image.pixel(x, y), kWhite) << x << ", " << y;
}

TEST(LayoutDraw, ColumnsBeyondTheBoundsGoIntoOneSecondBand)
{
    TKeyboards keyboards;
    TDrawnLayout drawn(AddMatrixKeyboard(keyboards, 1, 6, 2, 1));
    drawn.Picture(2, 0).SetBackgroundColor(0xFF0000);
    drawn.Picture(5, 1).SetBackgroundColor(0xFF0000);
    // 45 units wide: two whole columns fit, so the first band holds columns
    // 0 and 1 and the second all four others, far beyond the bounds.
    const QImage image = drawn.Draw(160, 120, kWhite, QRect(0, 0, 45, 120));
    EXPECT_EQ(image.pixel(42, 12), kBlack);
    EXPECT_EQ(image.pixel(43, 12), kWhite);
    EXPECT_EQ(image.pixel(62, 12), kWhite);
    // The second band's top is the first band's bottom (22) plus 8 / 2.
    EXPECT_EQ(image.pixel(30, 23), kWhite);
    EXPECT_EQ(image.pixel(30, 26), kBlack);
    EXPECT_EQ(image.pixel(30, 46), kBlack);
    EXPECT_EQ(image.pixel(82, 36), kBlack);
    EXPECT_EQ(image.pixel(83, 36), kWhite);
    EXPECT_EQ(image.pixel(12, 31), kBlue); // column 2, row 0
    EXPECT_EQ(image.pixel(72, 41), kBlue); // column 5, row 1
    EXPECT_EQ(image.pixel(32, 41), kRed);  // column 3, row 1
    // Never a third band.
    for (int y = 47; y < 120; ++y)
        for (int x = 0; x < 160; ++x)
            ASSERT_EQ(image.pixel(x, y), kWhite) << x << ", " << y;
}

TEST(LayoutDraw, EmptyGroupedAndMissingCellsInBothBands)
{
    // 4 x 2 cells; (1, 0) and (3, 1) (from 0) have no key.
    TKeyboards keyboards;
    TDrawnLayout drawn(AddKeyboard(keyboards, 1, 4, 2, 1,
                                   {{1, 1, 1}, {3, 1, 3}, {4, 1, 4}, {1, 2, 5}, {2, 2, 6}, {3, 2, 7}}));
    drawn.Picture(0, 1).SetBackgroundColor(0); // nothing to draw
    drawn.AddGroup({2, 0, 2, 1});
    // The green canvas shows which cells are painted: bounds of 45 put
    // columns 2 and 3 into the second band.
    const QImage image = drawn.Draw(100, 100, kGreen, QRect(0, 0, 45, 100));
    EXPECT_EQ(image.pixel(12, 7), kRed);    // (0, 0)
    EXPECT_EQ(image.pixel(32, 7), kWhite);  // (1, 0) missing, first band
    EXPECT_EQ(image.pixel(12, 17), kGreen); // (0, 1) blank key
    EXPECT_EQ(image.pixel(2, 17), kBlack);  // grid lines still around it
    EXPECT_EQ(image.pixel(12, 12), kBlack);
    EXPECT_EQ(image.pixel(12, 31), kGreen);                          // (2, 0) grouped: drawn as a box
    EXPECT_EQ(image.pixel(12, 41), kGreen);                          // (2, 1) grouped
    EXPECT_EQ(image.pixel(32, 31), kRed);                            // (3, 0)
    EXPECT_EQ(image.pixel(32, 41), ColorToQColor(0x8000000F).rgb()); // (3, 1) missing, second band
}

TEST(LayoutDraw, GroupBoxesFollowTheGridAndWrapAtTheRightBound)
{
    TKeyboards keyboards;
    TDrawnLayout drawn(AddMatrixKeyboard(keyboards, 1, 4, 2, 1));
    drawn.Picture(2, 0).SetBackgroundColor(0xFF0000);
    drawn.Picture(0, 1).SetBackgroundColor(0x00FF00);
    drawn.AddGroup({0, 0, 1, 0}); // 2 x 1: box 46 x 10
    drawn.AddGroup({2, 0, 3, 1}); // 2 x 2: box 46 x 28
    drawn.AddGroup({0, 1, 1, 1}); // 2 x 1: box 46 x 10

    // 130 wide: boxes at x 2 and 54 (ending exactly at 100), the third would
    // end at 152 and goes to a new row 8 below the lowest box (58).
    const QImage image = drawn.Draw(200, 120, kWhite, QRect(0, 0, 130, 120));
    // First box (2, 30) to (47, 39), holding key (0, 0).
    EXPECT_EQ(image.pixel(2, 35), kBlack);
    EXPECT_EQ(image.pixel(47, 35), kBlack);
    EXPECT_EQ(image.pixel(20, 30), kBlack);
    EXPECT_EQ(image.pixel(20, 39), kBlack);
    EXPECT_EQ(image.pixel(20, 35), kRed);
    EXPECT_EQ(image.pixel(48, 35), kWhite);
    EXPECT_EQ(image.pixel(20, 29), kWhite);
    // Second box (54, 30) to (99, 57), holding key (2, 0).
    EXPECT_EQ(image.pixel(54, 50), kBlack);
    EXPECT_EQ(image.pixel(99, 50), kBlack);
    EXPECT_EQ(image.pixel(70, 57), kBlack);
    EXPECT_EQ(image.pixel(70, 50), kBlue);
    EXPECT_EQ(image.pixel(53, 50), kWhite);
    // Third box (2, 66) to (47, 75), holding key (0, 1).
    EXPECT_EQ(image.pixel(20, 66), kBlack);
    EXPECT_EQ(image.pixel(20, 70), kGreen);
    EXPECT_EQ(image.pixel(20, 65), kWhite);
    EXPECT_EQ(image.pixel(120, 35), kWhite);

    // 99 wide: the second box no longer fits and wraps below the first.
    const QImage narrow = drawn.Draw(200, 140, kWhite, QRect(0, 0, 99, 140));
    EXPECT_EQ(narrow.pixel(70, 50), kWhite);
    EXPECT_EQ(narrow.pixel(20, 48), kBlack);
    EXPECT_EQ(narrow.pixel(20, 60), kBlue);
    // The third cannot go beside it either: a row below the second box.
    EXPECT_EQ(narrow.pixel(70, 53), kWhite);
    EXPECT_EQ(narrow.pixel(20, 84), kBlack);
    EXPECT_EQ(narrow.pixel(20, 88), kGreen);
}

TEST(LayoutDraw, FirstBoxOfARowStaysThereEvenWhenTooWide)
{
    TKeyboards keyboards;
    TDrawnLayout drawn(AddMatrixKeyboard(keyboards, 1, 4, 2, 1));
    drawn.AddGroup({0, 0, 3, 0}); // box 4 x 20 + 3 x 6 = 98 wide
    // 60 wide: three columns fit, the first band ends at 22, the second
    // (column 3) at 46, the box starts 8 below.
    const QImage image = drawn.Draw(120, 80, kWhite, QRect(0, 0, 60, 80));
    EXPECT_EQ(image.pixel(2, 60), kBlack);
    EXPECT_EQ(image.pixel(99, 60), kBlack);
    EXPECT_EQ(image.pixel(50, 54), kBlack);
    EXPECT_EQ(image.pixel(50, 58), kRed);
}

TEST(LayoutDraw, GroupWithoutItsTopLeftKeyFails)
{
    TKeyboards keyboards;
    TDrawnLayout drawn(AddKeyboard(keyboards, 1, 3, 2, 1, {{1, 1, 1}, {3, 1, 3}, {1, 2, 4}}));
    drawn.AddGroup({1, 0, 2, 1});
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(kWhite);
    QPainter painter(&image);
    const QPen pen(Qt::red, 3);
    painter.setPen(pen);
    try {
        drawn.Layout.Draw(painter, kW, image.rect(), kGapY, kGapX, kH);
        FAIL() << "no error";
    } catch (const EError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Клавиша с координатами (1, 0) не найдена."));
    }
    EXPECT_EQ(painter.pen(), pen);

    // A layout without layers draws nothing.
    TLayout empty;
    QImage blank(20, 20, QImage::Format_RGB32);
    blank.fill(kWhite);
    QPainter blankPainter(&blank);
    empty.Draw(blankPainter, kW, blank.rect(), kGapY, kGapX, kH);
    blankPainter.end();
    QImage white(20, 20, QImage::Format_RGB32);
    white.fill(kWhite);
    EXPECT_EQ(blank, white);
}

TEST(LayoutDraw, DrawsTheLayerItIsAskedFor)
{
    TKeyboards keyboards;
    TDrawnLayout drawn(AddMatrixKeyboard(keyboards, 1, 2, 1, 2));
    drawn.Layout.Layers().Item(1).KeyAtOrFail(0, 0).Picture().SetBackgroundColor(0x00FF00);
    QImage image(60, 30, QImage::Format_RGB32);
    image.fill(kWhite);
    QPainter painter(&image);
    drawn.Layout.Draw(painter, kW, image.rect(), kGapY, kGapX, kH, 1);
    EXPECT_EQ(image.pixel(7, 7), kGreen);
    // A layer the layout does not have draws nothing.
    image.fill(kWhite);
    drawn.Layout.Draw(painter, kW, image.rect(), kGapY, kGapX, kH, 2);
    painter.end();
    EXPECT_EQ(image.pixel(2, 2), kWhite);
    EXPECT_EQ(image.pixel(7, 7), kWhite);
}
