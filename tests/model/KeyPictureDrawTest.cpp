#include "model/KeyPictureDraw.h"

#include "model/Graphic.h"
#include "model/KeyPicture.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QPainter>
#include <QtEndian>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <vector>

namespace {

// A white canvas at 96 dots per inch.
QImage Canvas(int width, int height, int dpi = 96)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    return image;
}

QImage Drawn(const TKeyPicture &picture, const QRect &rect, int width, int height, int dpi = 96)
{
    QImage image = Canvas(width, height, dpi);
    QPainter painter(&image);
    DrawKeyPicture(painter, picture, rect);
    return image;
}

bool IsInk(QRgb pixel)
{
    return qGray(pixel) < 128;
}

// The runs of consecutive image rows that hold ink, as [first, last] pairs.
std::vector<std::pair<int, int>> InkRows(const QImage &image)
{
    std::vector<std::pair<int, int>> runs;
    for (int y = 0; y < image.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < image.width() && !ink; ++x)
            ink = IsInk(image.pixel(x, y));
        if (!ink)
            continue;
        if (!runs.empty() && runs.back().second == y - 1)
            runs.back().second = y;
        else
            runs.emplace_back(y, y);
    }
    return runs;
}

// The first and last image columns that hold ink; (-1, -1) when none does.
std::pair<int, int> InkColumns(const QImage &image)
{
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (IsInk(image.pixel(x, y))) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
    return {first, last};
}

QByteArray Encode(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

TGraphic SolidImage(int width, int height, QColor color)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return TGraphic::FromData(u"TPngImage", Encode(image, "PNG"));
}

void AppendUInt32(QByteArray &out, uint32_t value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

// An enhanced metafile of 40 x 30 units whose left half is a rectangle filled
// with colour (00BBGGRRh) and drawn without a pen.
QByteArray HalfFilledMetafile(uint32_t color)
{
    QByteArray emf;
    const auto records = [&](std::initializer_list<uint32_t> values) {
        for (uint32_t v : values)
            AppendUInt32(emf, v);
    };
    // The header: bounds; frame in hundredths of a millimetre; signature,
    // version, size (set below), records, handles, description length and
    // offset, palette entries; device size in pixels and millimetres.
    records({1, 88, 0, 0, 39, 29});
    records({0, 0, 40 * 2540 / 96, 30 * 2540 / 96});
    records({0x464D4520, 0x10000, 0, 6, 2, 0, 0, 0});
    records({1920, 1080, 508, 286});
    records({39, 24, 1, 0, color, 0}); // create a solid brush as object 1
    records({37, 12, 1});              // select it
    records({37, 12, 0x80000008});     // select the stock null pen
    records({43, 24, 0, 0, 20, 30});   // rectangle
    records({14, 20, 0, 16, 20});      // end of file
    qToLittleEndian(uint32_t(emf.size()), emf.data() + 48);
    return emf;
}

std::unique_ptr<TKeyPicture> TextPicture(const QString &text, uint8_t orientation, int height = -40)
{
    auto picture = std::make_unique<TKeyPicture>();
    TFont font;
    font.SetName(QStringLiteral("DejaVu Sans"));
    font.SetHeight(height);
    picture->SetFont(font);
    picture->SetText(text);
    picture->SetTextOrientation(orientation);
    return picture;
}

} // namespace

TEST(KeyPictureDraw, FitGraphicShrinksLargeGraphicsAndCentresSmallOnes)
{
    const QRect target(10, 20, 80, 60);
    // Width exceeds by 120, height by 40: fitted to the width.
    EXPECT_EQ(FitGraphic(QSize(200, 100), target), QRect(10, 30, 80, 40));
    // Height exceeds by more: fitted to the height.
    EXPECT_EQ(FitGraphic(QSize(50, 120), target), QRect(37, 20, 25, 60));
    // Equal excess goes to the height.
    EXPECT_EQ(FitGraphic(QSize(100, 80), target), QRect(12, 20, 75, 60));
    // Only one side too large still scales.
    EXPECT_EQ(FitGraphic(QSize(40, 90), target), QRect(37, 20, 26, 60));
    // Smaller graphics keep their size, centred; exactly fitting ones fill.
    EXPECT_EQ(FitGraphic(QSize(20, 11), target), QRect(40, 44, 20, 11));
    EXPECT_EQ(FitGraphic(QSize(80, 60), target), target);
    EXPECT_TRUE(FitGraphic(QSize(0, 10), target).isEmpty());
    EXPECT_TRUE(FitGraphic(QSize(30, 30), QRect(0, 0, -4, -4)).isEmpty());
}

TEST(KeyPictureDraw, BackgroundFillsTheRectangleUnlessItIsZero)
{
    TKeyPicture picture;
    picture.SetBackgroundColor(0x00FF0000); // blue as 00BBGGRR
    const QImage image = Drawn(picture, QRect(5, 6, 20, 10), 40, 30);
    EXPECT_EQ(image.pixel(5, 6), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(24, 15), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(25, 15), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(24, 16), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(4, 6), qRgb(255, 255, 255));

    picture.SetBackgroundColor(0);
    const QImage blank = Drawn(picture, QRect(5, 6, 20, 10), 40, 30);
    EXPECT_EQ(blank, Canvas(40, 30));
}

TEST(KeyPictureDraw, ImagesGoIntoTheRectangleLessItsMargin)
{
    TKeyPicture picture;
    picture.SetBackgroundColor(0);
    // 200 x 100 into a 100 x 100 key: the target is 80 x 80, the image
    // becomes 80 x 40 centred in it.
    picture.SetPicture(SolidImage(200, 100, Qt::blue));
    QImage image = Drawn(picture, QRect(0, 0, 100, 100), 100, 100);
    EXPECT_EQ(image.pixel(10, 30), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(89, 69), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(9, 50), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(90, 50), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(50, 29), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(50, 70), qRgb(255, 255, 255));

    // A small one keeps its natural size, centred in the key.
    picture.SetPicture(SolidImage(10, 6, Qt::blue));
    image = Drawn(picture, QRect(0, 0, 100, 100), 100, 100);
    EXPECT_EQ(image.pixel(45, 47), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(54, 52), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(44, 47), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(55, 52), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(45, 53), qRgb(255, 255, 255));
}

TEST(KeyPictureDraw, TransparentBitmapsLeaveTheirKeyColourUnpainted)
{
    QImage bitmap(4, 4, QImage::Format_RGB32);
    bitmap.fill(Qt::red);
    bitmap.setPixel(0, 3, qRgb(0, 255, 0)); // the bottom-left pixel names the transparent colour
    bitmap.setPixel(3, 0, qRgb(0, 255, 0));
    TGraphic graphic = TGraphic::FromData(u"TBitmap", Encode(bitmap, "BMP"));
    graphic.SetTransparent(true);

    QImage image = Canvas(8, 8);
    {
        QPainter painter(&image);
        DrawGraphic(painter, graphic, QRectF(0, 0, 8, 8));
    }
    EXPECT_EQ(image.pixel(1, 7), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(7, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(3, 3), qRgb(255, 0, 0));
}

TEST(KeyPictureDraw, MetafilesArePlayedStretchedIntoTheTarget)
{
    const TGraphic red = TGraphic::FromData(u"TMetafile", HalfFilledMetafile(0x0000FF));
    const TGraphic blue = TGraphic::FromData(u"TMetafile", HalfFilledMetafile(0xFF0000));
    // Alternating two metafiles must not mix up their cached conversions.
    for (const TGraphic *graphic : {&red, &blue, &red}) {
        QImage image = Canvas(100, 80);
        {
            QPainter painter(&image);
            DrawGraphic(painter, *graphic, QRectF(10, 10, 80, 60));
        }
        const QRgb fill = graphic == &red ? qRgb(255, 0, 0) : qRgb(0, 0, 255);
        EXPECT_EQ(image.pixel(15, 15), fill);
        EXPECT_EQ(image.pixel(45, 65), fill);
        EXPECT_EQ(image.pixel(75, 40), qRgb(255, 255, 255));
        EXPECT_EQ(image.pixel(5, 40), qRgb(255, 255, 255));
    }

    // In a key picture the metafile's frame (40 x 30) is its natural size:
    // it covers (30, 35) to (69, 64), its filled half the left 20 columns
    // (edges are antialiased).
    TKeyPicture picture;
    picture.SetPicture(red);
    const QImage image = Drawn(picture, QRect(0, 0, 100, 100), 100, 100);
    EXPECT_EQ(image.pixel(32, 36), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(48, 62), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(27, 50), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(40, 32), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(40, 68), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(60, 50), qRgb(255, 255, 255));
}

TEST(KeyPictureDraw, HorizontalTextIsWrappedAndCentred)
{
    ASSERT_TRUE(QFontDatabase::families().contains(QStringLiteral("DejaVu Sans")));
    const auto picture = TextPicture(QStringLiteral("AAA BBB"), 0);
    TFont font = picture->Font();
    font.SetColor(0x0000FF);
    picture->SetFont(font);

    const QRect wide(0, 0, 300, 100);
    const QImage oneLine = Drawn(*picture, wide, 300, 100);
    const auto lineRows = InkRows(oneLine);
    ASSERT_EQ(lineRows.size(), 1u);
    EXPECT_NEAR((lineRows[0].first + lineRows[0].second) / 2, 50, 6);
    const auto [left, right] = InkColumns(oneLine);
    EXPECT_NEAR(left + right, 300, 6);
    // The pen follows the font colour.
    bool red = false;
    for (int y = lineRows[0].first; y <= lineRows[0].second && !red; ++y)
        for (int x = left; x <= right && !red; ++x)
            red = oneLine.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_TRUE(red);

    const QImage wrapped = Drawn(*picture, QRect(0, 0, 100, 200), 100, 200);
    const auto rows = InkRows(wrapped);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_NEAR(rows[0].first + rows[1].second, 200, 10);
}

TEST(KeyPictureDraw, VerticalTextStandsOneCharacterPerLineFirstOnTop)
{
    ASSERT_TRUE(QFontDatabase::families().contains(QStringLiteral("DejaVu Sans")));
    // A hyphen's ink is short, a bar's tall: the order of the two ink runs
    // tells which character is on top.
    const QRect key(0, 0, 100, 200);
    const auto hyphenFirst = InkRows(Drawn(*TextPicture(QStringLiteral("-|"), 1), key, 100, 200));
    ASSERT_EQ(hyphenFirst.size(), 2u);
    EXPECT_LT(hyphenFirst[0].second - hyphenFirst[0].first, hyphenFirst[1].second - hyphenFirst[1].first);
    const auto barFirst = InkRows(Drawn(*TextPicture(QStringLiteral("|-"), 2), key, 100, 200));
    ASSERT_EQ(barFirst.size(), 2u);
    EXPECT_GT(barFirst[0].second - barFirst[0].first, barFirst[1].second - barFirst[1].first);

    // The column is centred in the key.
    const QImage letters = Drawn(*TextPicture(QStringLiteral("WW"), 1), key, 100, 200);
    ASSERT_EQ(InkRows(letters).size(), 2u);
    const auto [left, right] = InkColumns(letters);
    EXPECT_NEAR(left + right, 100, 4);

    // Text taller than the key starts at the key's top and is cut at its bottom.
    const QImage tall = Drawn(*TextPicture(QStringLiteral("WWWWWW"), 1), QRect(0, 20, 100, 100), 100, 200);
    const auto tallRows = InkRows(tall);
    ASSERT_FALSE(tallRows.empty());
    EXPECT_GE(tallRows.front().first, 20);
    EXPECT_LT(tallRows.front().first, 40);
    EXPECT_LT(tallRows.back().second, 120);
}

TEST(KeyPictureDraw, TextSizeFollowsTheCanvasResolution)
{
    ASSERT_TRUE(QFontDatabase::families().contains(QStringLiteral("DejaVu Sans")));
    const auto picture = TextPicture(QStringLiteral("H"), 0, -20);
    const auto at96 = InkRows(Drawn(*picture, QRect(0, 0, 200, 200), 200, 200, 96));
    const auto at192 = InkRows(Drawn(*picture, QRect(0, 0, 200, 200), 200, 200, 192));
    ASSERT_EQ(at96.size(), 1u);
    ASSERT_EQ(at192.size(), 1u);
    const int height96 = at96[0].second - at96[0].first + 1;
    const int height192 = at192[0].second - at192[0].first + 1;
    EXPECT_NEAR(height192, 2 * height96, 2);
}

TEST(KeyPictureDraw, DamagedMetafilesDrawWithoutFault)
{
    const QByteArray sample = HalfFilledMetafile(0x0000FF);
    std::mt19937 random(20240611);
    std::vector<QByteArray> inputs;
    for (qsizetype length = 0; length < sample.size(); length += 7)
        inputs.push_back(sample.left(length));
    for (int i = 0; i < 200; ++i) {
        QByteArray mutated = sample;
        const int changes = 1 + int(random() % 8);
        for (int k = 0; k < changes; ++k)
            mutated[qsizetype(random() % uint32_t(mutated.size()))] = char(random());
        inputs.push_back(mutated);
    }
    for (int i = 0; i < 50; ++i) {
        QByteArray noise = sample.left(88);
        for (int k = 0; k < 200; ++k)
            noise.append(char(random()));
        inputs.push_back(noise);
    }
    QImage image = Canvas(50, 50);
    QPainter painter(&image);
    for (const QByteArray &bytes : inputs) {
        const std::optional<TGraphic> graphic = TGraphic::Decode(u"TMetafile", bytes);
        if (!graphic)
            continue;
        TKeyPicture picture;
        picture.SetPicture(*graphic);
        DrawKeyPicture(painter, picture, QRect(0, 0, 50, 50));
    }
    SUCCEED();
}
