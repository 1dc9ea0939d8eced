#include "files/emf/EMFPaintDevice.h"

#include "EMFRecordList.h"
#include "files/emf/EMFRecords.h"
#include "model/MetafileSvg.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <functional>
#include <gtest/gtest.h>
#include <random>

namespace {

QByteArray Paint(const std::function<void(QPainter &)> &draw, QSize size = QSize(400, 300), int dpi = 96)
{
    TEMFPaintDevice device(size, dpi);
    QPainter painter(&device);
    draw(painter);
    painter.end();
    return device.Data();
}

// The records of a metafile that must be well formed and keep its object
// handles straight; empty (with a failure) otherwise.
std::vector<TRecord> Checked(const QByteArray &metafile)
{
    QString reason;
    const auto records = ParseRecords(metafile, &reason);
    if (!records) {
        ADD_FAILURE() << reason.toStdString();
        return {};
    }
    const QString handles = CheckHandles(*records);
    if (!handles.isEmpty())
        ADD_FAILURE() << handles.toStdString();
    return *records;
}

QRect HeaderBounds(const std::vector<TRecord> &records)
{
    const TRecord &header = records.front();
    return QRect(QPoint(header.I32(8), header.I32(12)), QPoint(header.I32(16), header.I32(20)));
}

QString Svg(const QByteArray &metafile)
{
    const auto svg = MetafileToSvg(metafile);
    EXPECT_TRUE(svg.has_value());
    return svg ? QString::fromUtf8(*svg) : QString();
}

struct TSvgText {
    double X, Y;
    QString Text;
    QString Element;
};

std::vector<TSvgText> Texts(const QString &svg)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"re(<text [^>]*x="([-\d.]+)" y="([-\d.]+)"[^>]*><!\[CDATA\[(.*?)\]\]></text>)re"));
    std::vector<TSvgText> texts;
    for (auto it = pattern.globalMatch(svg); it.hasNext();) {
        const auto match = it.next();
        texts.push_back({match.captured(1).toDouble(), match.captured(2).toDouble(), match.captured(3),
                         match.captured(0)});
    }
    return texts;
}

QImage EmbeddedImage(const QString &svg)
{
    static const QRegularExpression pattern(QStringLiteral(R"(data:image/png;base64,([A-Za-z0-9+/=]+))"));
    const auto match = pattern.match(svg);
    return match.hasMatch() ? QImage::fromData(QByteArray::fromBase64(match.captured(1).toLatin1()), "PNG")
                            : QImage();
}

QFont DejaVu(int pixels)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    return font;
}

QImage Quadrants()
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(0, 255, 0));
    image.setPixel(1, 0, qRgb(255, 0, 0));
    image.setPixel(0, 1, qRgb(0, 0, 255));
    image.setPixel(1, 1, qRgb(255, 255, 0));
    return image;
}

class EMFPaintDeviceText : public testing::Test {
protected:
    void SetUp() override
    {
        if (!QFontDatabase::families().contains(QStringLiteral("DejaVu Sans")))
            GTEST_SKIP() << "the DejaVu Sans font is not installed";
    }
};

} // namespace

TEST(EMFPaintDevice, NothingDrawnGivesHeaderAndEnd)
{
    TEMFPaintDevice device;
    EXPECT_TRUE(device.Data().isEmpty());
    QPainter painter(&device);
    EXPECT_TRUE(device.Data().isEmpty()) << "no data while painting";
    painter.end();
    const auto records = Checked(device.Data());
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(HeaderBounds(records), QRect(QPoint(0, 0), QPoint(-1, -1)));
    EXPECT_EQ(records.front().I32(72), 1920);
    EXPECT_EQ(records.front().I32(76), 1080);
    EXPECT_FALSE(Svg(device.Data()).isEmpty());
}

TEST(EMFPaintDevice, CellsAndGridLines)
{
    // Three by two cells of 40 x 20 at (10, 10), filled, then the grid.
    const QByteArray metafile = Paint([](QPainter &painter) {
        for (int c = 0; c < 3; ++c) {
            for (int r = 0; r < 2; ++r)
                painter.fillRect(QRect(10 + c * 40, 10 + r * 20, 40, 20), c == 1 ? Qt::yellow : Qt::white);
        }
        painter.setPen(QPen(Qt::black, 1));
        for (int c = 0; c <= 3; ++c)
            painter.drawLine(10 + c * 40, 10, 10 + c * 40, 50);
        for (int r = 0; r <= 2; ++r)
            painter.drawLine(10, 10 + r * 20, 130, 10 + r * 20);
    });
    const auto records = Checked(metafile);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(HeaderBounds(records), QRect(QPoint(10, 10), QPoint(130, 50)));
    EXPECT_EQ(OfType(records, emrPolygon16).size(), 6u);
    EXPECT_EQ(OfType(records, emrPolyline16).size(), 7u);
    // One pen for all lines; a brush per change of colour (white, yellow,
    // white), each deleted when replaced or at the end.
    EXPECT_EQ(OfType(records, emrExtCreatePen).size(), 1u);
    EXPECT_EQ(OfType(records, emrCreateBrushIndirect).size(), 3u);
    EXPECT_EQ(OfType(records, emrDeleteObject).size(), 4u);

    const QString svg = Svg(metafile);
    EXPECT_TRUE(svg.contains(QStringLiteral("M 50.0000,10.0000 L 90.0000,10.0000 L 90.0000,30.0000 L "
                                            "50.0000,30.0000 Z\" stroke-width=\"1px\" stroke=\"#FFFF00\"")))
        << svg.toStdString();
    EXPECT_TRUE(svg.contains(QStringLiteral("M 130.0000,10.0000 L 130.0000,50.0000 \" stroke=\"#000000\"")));
    EXPECT_TRUE(svg.contains(QStringLiteral("M 10.0000,50.0000 L 130.0000,50.0000 ")));
}

TEST(EMFPaintDevice, PensKeepWidthStyleAndColour)
{
    const QByteArray metafile = Paint([](QPainter &painter) {
        painter.setPen(QPen(QColor(0x12, 0x34, 0x56), 3, Qt::DashLine, Qt::FlatCap, Qt::RoundJoin));
        painter.drawLine(0, 0, 100, 0);
        painter.scale(2, 2);
        QPen cosmetic(Qt::red, 2);
        cosmetic.setCosmetic(true);
        painter.setPen(cosmetic);
        painter.drawLine(0, 10, 50, 10);
        painter.setPen(QPen(Qt::red, 2));
        painter.drawLine(0, 20, 50, 20);
        painter.setPen(Qt::NoPen);
        painter.drawLine(0, 30, 50, 30);
    });
    const auto records = Checked(metafile);
    const auto pens = OfType(records, emrExtCreatePen);
    ASSERT_EQ(pens.size(), 3u);
    EXPECT_EQ(pens[0].U32(28), uint32_t(psGeometric | psDash | psEndCapFlat | psJoinRound));
    EXPECT_EQ(pens[0].U32(32), 3u);
    EXPECT_EQ(pens[0].U32(40), 0x563412u);
    EXPECT_EQ(pens[1].U32(32), 2u) << "a cosmetic pen is not scaled";
    EXPECT_EQ(pens[2].U32(32), 4u);
    EXPECT_EQ(OfType(records, emrPolyline16).size(), 3u) << "nothing is drawn without a pen";
}

TEST_F(EMFPaintDeviceText, TextsInCyrillicAndLatin)
{
    const QString russian = QStringLiteral(u"Привет, мир");
    const QByteArray metafile = Paint([&](QPainter &painter) {
        painter.setFont(DejaVu(14));
        painter.setPen(QColor(0, 128, 0));
        painter.drawText(QPointF(20, 60), russian);
        QFont points(QStringLiteral("DejaVu Sans"), 12);
        points.setBold(true);
        points.setItalic(true);
        painter.setFont(points);
        painter.drawText(QPointF(20, 90), QStringLiteral("Latin"));
    });
    const auto records = Checked(metafile);
    const auto outputs = OfType(records, emrExtTextOutW);
    ASSERT_EQ(outputs.size(), 2u);
    const TRecord &text = outputs[0];
    EXPECT_EQ(text.I32(36), 20);
    EXPECT_EQ(text.I32(40), 60);
    ASSERT_EQ(text.U32(44), uint32_t(russian.size()));
    EXPECT_EQ(text.Bytes.mid(text.U32(48), russian.size() * 2),
              QByteArray(reinterpret_cast<const char *>(russian.utf16()), russian.size() * 2));
    int advance = 0;
    for (int i = 0; i < russian.size(); ++i)
        advance += text.I32(int(text.U32(72)) + 4 * i);
    EXPECT_NEAR(advance, QFontMetricsF(DejaVu(14)).horizontalAdvance(russian), 1.0);

    const auto fonts = OfType(records, emrExtCreateFontIndirectW);
    ASSERT_EQ(fonts.size(), 2u);
    EXPECT_EQ(fonts[0].I32(12), -14);
    EXPECT_EQ(fonts[1].I32(12), -16) << "12 points at 96 dpi";
    EXPECT_EQ(fonts[1].I32(28), 700);
    EXPECT_EQ(fonts[1].Bytes[32], 1) << "italic";

    const auto texts = Texts(Svg(metafile));
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].Text, russian);
    EXPECT_EQ(texts[0].X, 20);
    EXPECT_EQ(texts[0].Y, 60);
    EXPECT_TRUE(texts[0].Element.contains(QStringLiteral("font-family=\"DejaVu Sans\"")));
    EXPECT_TRUE(texts[0].Element.contains(QStringLiteral("fill=\"#008000\"")));
    EXPECT_TRUE(texts[0].Element.contains(QStringLiteral("font-size=\"14.0000\"")));
    EXPECT_EQ(texts[1].Text, QStringLiteral("Latin"));
}

TEST_F(EMFPaintDeviceText, WordWrappedTextStaysInItsRectangle)
{
    const QRect box(100, 100, 60, 120);
    const QString words = QStringLiteral(u"один two три four");
    const QByteArray metafile = Paint([&](QPainter &painter) {
        painter.setFont(DejaVu(14));
        painter.drawText(box, Qt::AlignCenter | Qt::TextWordWrap, words);
    });
    Checked(metafile);
    // Qt gives every run of one script its own text item: items on one
    // baseline make a line.
    const auto texts = Texts(Svg(metafile));
    QStringList lines;
    double baseline = 0;
    for (const TSvgText &text : texts) {
        EXPECT_GE(text.X, box.left());
        EXPECT_LT(text.X, box.right());
        EXPECT_GT(text.Y, box.top());
        EXPECT_LT(text.Y, box.bottom());
        if (lines.isEmpty() || text.Y != baseline) {
            EXPECT_GT(text.Y, baseline);
            lines.append(QString());
            baseline = text.Y;
        }
        lines.last() += text.Text;
    }
    EXPECT_GE(lines.size(), 3);
    EXPECT_EQ(lines.join(QLatin1Char(' ')).simplified(), words);
}

TEST(EMFPaintDevice, ImagesAreEmbeddedRightWayUp)
{
    QImage translucent(4, 4, QImage::Format_ARGB32);
    translucent.fill(qRgba(0, 0, 255, 0));
    translucent.setPixel(0, 0, qRgba(255, 0, 0, 255));
    const QByteArray metafile = Paint([&](QPainter &painter) {
        painter.drawImage(QRect(120, 10, 40, 40), Quadrants());
        painter.drawImage(QRect(200, 10, 8, 8), translucent);
    });
    const auto records = Checked(metafile);
    ASSERT_EQ(OfType(records, emrStretchDIBits).size(), 1u);
    ASSERT_EQ(OfType(records, emrAlphaBlend).size(), 1u);
    EXPECT_EQ(HeaderBounds(records), QRect(120, 10, 88, 40));

    const QString svg = Svg(metafile);
    EXPECT_TRUE(
        svg.contains(QStringLiteral(R"(<image width="40.0000" height="40.0000" x="120.0000" y="10.0000")")));
    const QImage embedded = EmbeddedImage(svg);
    ASSERT_EQ(embedded.size(), QSize(2, 2));
    EXPECT_EQ(embedded.pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(embedded.pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(embedded.pixel(0, 1), qRgb(0, 0, 255));
    EXPECT_EQ(embedded.pixel(1, 1), qRgb(255, 255, 0));
}

TEST_F(EMFPaintDeviceText, TranslatedAndScaledPainterPlacesEverything)
{
    const QByteArray metafile = Paint([](QPainter &painter) {
        painter.translate(30, 40);
        painter.scale(2, 2);
        painter.drawImage(QRect(0, 0, 10, 10), Quadrants());
        painter.setFont(DejaVu(10));
        painter.drawText(QPointF(5, 30), QStringLiteral("Hi"));
        painter.fillRect(QRect(20, 0, 5, 5), Qt::red);
        painter.scale(-1, 1);
        painter.drawImage(QRect(0, 40, 10, 10), Quadrants());
    });
    const auto records = Checked(metafile);
    const QString svg = Svg(metafile);
    EXPECT_TRUE(
        svg.contains(QStringLiteral(R"(<image width="20.0000" height="20.0000" x="30.0000" y="40.0000")")));
    EXPECT_TRUE(svg.contains(QStringLiteral("M 70.0000,40.0000 L 80.0000,40.0000 L 80.0000,50.0000")));
    const auto texts = Texts(svg);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].X, 40);
    EXPECT_EQ(texts[0].Y, 100);
    EXPECT_TRUE(texts[0].Element.contains(QStringLiteral("font-size=\"20.0000\"")));
    // The mirrored image lands left of the origin, its bitmap mirrored.
    const auto images = OfType(records, emrStretchDIBits);
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[1].I32(24), 10);
    EXPECT_EQ(images[1].I32(28), 120);
    EXPECT_EQ(images[1].I32(72), 20);
    // Bottom row first: yellow, then blue, now at the bottom right.
    const int bits = int(images[1].U32(56));
    EXPECT_EQ(images[1].Bytes.mid(bits, 6).toHex(), QByteArray("00ffffff0000"));
}

TEST(EMFPaintDevice, PathsWithCurves)
{
    const QByteArray metafile = Paint([](QPainter &painter) {
        QPainterPath closed;
        closed.moveTo(10, 10);
        closed.lineTo(100, 10);
        closed.cubicTo(120, 30, 120, 60, 100, 80);
        closed.closeSubpath();
        painter.setBrush(Qt::green);
        painter.setPen(Qt::NoPen);
        painter.drawPath(closed);
        QPainterPath open(QPointF(10, 100));
        open.cubicTo(40, 90, 70, 90, 100, 100);
        open.lineTo(100, 150);
        painter.setPen(QPen(Qt::black, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(open);
    });
    const auto records = Checked(metafile);
    EXPECT_EQ(OfType(records, emrBeginPath).size(), 1u);
    EXPECT_EQ(OfType(records, emrPolyBezierTo16).size(), 1u);
    EXPECT_EQ(OfType(records, emrCloseFigure).size(), 1u);
    EXPECT_EQ(OfType(records, emrFillPath).size(), 1u);
    EXPECT_EQ(OfType(records, emrPolyBezier16).size(), 1u) << "an open figure is stroked without closing it";
    // Filled pixels end left of the right-most point (a control point here);
    // the stroke reaches a pixel beyond its points.
    EXPECT_EQ(HeaderBounds(records), QRect(QPoint(9, 10), QPoint(119, 151)));

    const QString svg = Svg(metafile);
    EXPECT_TRUE(svg.contains(QStringLiteral("M 10.0000,10.0000 L 100.0000,10.0000 C 120.0000,30.0000 "
                                            "120.0000,60.0000 100.0000,80.0000 Z")));
    EXPECT_TRUE(svg.contains(QStringLiteral("M 10.0000,100.0000 C 40.0000,90.0000 70.0000,90.0000 "
                                            "100.0000,100.0000 C 100.0000,100.0000 100.0000,150.0000 "
                                            "100.0000,150.0000 \"")));
}

TEST(EMFPaintDevice, ClipsAreSavedAndRestored)
{
    const QByteArray metafile = Paint([](QPainter &painter) {
        painter.save();
        painter.setClipRect(QRect(10, 10, 50, 30));
        painter.fillRect(QRect(0, 0, 100, 100), Qt::green);
        QPainterPath ellipse;
        ellipse.addEllipse(QRectF(20, 20, 20, 10));
        painter.setClipPath(ellipse, Qt::IntersectClip);
        painter.fillRect(QRect(0, 0, 100, 100), Qt::red);
        painter.restore();
        painter.fillRect(QRect(200, 0, 10, 10), Qt::green);
    });
    const auto records = Checked(metafile);
    ASSERT_EQ(OfType(records, emrSaveDC).size(), 2u);
    ASSERT_EQ(OfType(records, emrRestoreDC).size(), 2u);
    const auto rects = OfType(records, emrIntersectClipRect);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].Bytes.mid(8).toHex(' '),
              QByteArray("0a 00 00 00 0a 00 00 00 3c 00 00 00 28 00 00 00"));
    EXPECT_EQ(OfType(records, emrSelectClipPath).size(), 1u);
    EXPECT_EQ(OfType(records, emrSelectClipPath)[0].U32(8), uint32_t(rgnAnd));
    // What is drawn counts only inside the clip.
    EXPECT_EQ(HeaderBounds(records), QRect(QPoint(10, 0), QPoint(209, 39)));
    // The last fill comes after the clip is dropped.
    const auto last = [&](uint32_t type) {
        for (size_t i = records.size(); i-- > 0;) {
            if (records[i].Type == type)
                return i;
        }
        return size_t(0);
    };
    EXPECT_GT(last(emrPolygon16), last(emrRestoreDC));

    const QString svg = Svg(metafile);
    EXPECT_TRUE(svg.contains(QStringLiteral(
        R"(<path d="M 10.0000,10.0000 L 60.0000,10.0000 L 60.0000,40.0000 L 10.0000,40.0000 L 10.0000,10.0000 Z Z" />)")));
    EXPECT_TRUE(
        svg.contains(QStringLiteral(R"(" d="M 0.0000,0.0000 L 100.0000,0.0000 L 100.0000,100.0000)")));
}

TEST_F(EMFPaintDeviceText, PlaysBackAtTheDrawnPixels)
{
    const QByteArray metafile = Paint([](QPainter &painter) {
        painter.fillRect(QRect(0, 0, 200, 100), Qt::white);
        painter.fillRect(QRect(20, 20, 40, 30), Qt::red);
        painter.setPen(QPen(Qt::blue, 3));
        painter.drawLine(10, 80, 190, 80);
        painter.drawImage(QRect(120, 10, 40, 40), Quadrants());
        painter.fillRect(QRect(70, 10, 20, 20), Qt::green);
        painter.setFont(DejaVu(20));
        painter.setPen(Qt::black);
        painter.drawText(QPointF(20, 70), QStringLiteral("Ж"));
    });
    QSvgRenderer renderer(MetafileToSvg(metafile).value_or(QByteArray()));
    ASSERT_TRUE(renderer.isValid());
    QImage image(renderer.defaultSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();

    EXPECT_EQ(image.pixel(40, 35), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(100, 80), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(100, 84), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(125, 15), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(155, 15), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(125, 45), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(155, 45), qRgb(255, 255, 0));
    EXPECT_EQ(image.pixel(80, 20), qRgb(0, 255, 0));
    int ink = 0;
    for (int y = 52; y < 72; ++y) {
        for (int x = 20; x < 40; ++x)
            ink += qGray(image.pixel(x, y)) < 128;
    }
    EXPECT_GT(ink, 20) << "the letter is drawn above its baseline";
}

TEST_F(EMFPaintDeviceText, TurnedPainterTurnsTextAndImages)
{
    const QByteArray metafile = Paint([](QPainter &painter) {
        painter.translate(100, 100);
        painter.rotate(90);
        painter.setFont(DejaVu(12));
        painter.drawText(QPointF(0, 0), QStringLiteral("Up"));
        painter.drawImage(QRect(10, 0, 20, 10), Quadrants());
    });
    const auto records = Checked(metafile);
    const auto fonts = OfType(records, emrExtCreateFontIndirectW);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].I32(20), 2700) << "a quarter turn clockwise on screen";
    EXPECT_EQ(fonts[0].I32(12), -12);
    const auto outputs = OfType(records, emrExtTextOutW);
    ASSERT_EQ(outputs.size(), 1u);
    EXPECT_EQ(outputs[0].I32(36), 100);
    EXPECT_EQ(outputs[0].I32(40), 100);
    // The image is turned into a bitmap of its new extent: 10 wide, 20 high,
    // below the origin.
    const auto images = OfType(records, emrAlphaBlend);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].I32(24), 90);
    EXPECT_EQ(images[0].I32(28), 110);
    EXPECT_NEAR(images[0].I32(32), 10, 1);
    EXPECT_NEAR(images[0].I32(36), 20, 1);
}

TEST(EMFPaintDevice, FillsWithoutARecordBecomeImages)
{
    const QByteArray metafile = Paint([](QPainter &painter) {
        painter.fillRect(QRect(0, 0, 20, 20), QColor(0, 0, 255, 128));
        QLinearGradient gradient(0, 0, 20, 0);
        gradient.setColorAt(0, Qt::red);
        gradient.setColorAt(1, Qt::blue);
        painter.fillRect(QRect(30, 0, 20, 20), gradient);
    });
    const auto records = Checked(metafile);
    EXPECT_TRUE(OfType(records, emrPolygon16).empty());
    // The translucent fill keeps its alpha; the opaque gradient needs none.
    const auto blended = OfType(records, emrAlphaBlend);
    ASSERT_EQ(blended.size(), 1u);
    EXPECT_EQ(blended[0].I32(32), 20);
    const auto stretched = OfType(records, emrStretchDIBits);
    ASSERT_EQ(stretched.size(), 1u);
    EXPECT_EQ(stretched[0].I32(24), 30);
    EXPECT_EQ(HeaderBounds(records), QRect(0, 0, 50, 20));
}

TEST(EMFPaintDevice, RecordListCheckRejectsBrokenMetafiles)
{
    const QByteArray metafile = Paint([](QPainter &painter) {
        painter.setFont(DejaVu(12));
        painter.drawText(QPointF(5, 20), QStringLiteral("ab"));
        painter.fillRect(QRect(0, 0, 5, 5), Qt::red);
        painter.drawImage(QRect(0, 0, 4, 4), Quadrants());
    });
    ASSERT_TRUE(ParseRecords(metafile));
    for (qsizetype length = 0; length < metafile.size(); length += 3)
        EXPECT_FALSE(ParseRecords(metafile.left(length))) << length;
    std::mt19937 random(1251);
    for (int round = 0; round < 2000; ++round) {
        QByteArray mutated = metafile;
        for (int k = 0; k < 4; ++k)
            mutated[random() % mutated.size()] = char(random());
        if (const auto records = ParseRecords(mutated))
            CheckHandles(*records);
        QByteArray noise(int(random() % 512), '\0');
        for (char &byte : noise)
            byte = char(random());
        if (const auto records = ParseRecords(noise))
            CheckHandles(*records);
    }
}
