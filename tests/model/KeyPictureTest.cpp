#include "model/KeyPicture.h"
#include "base/Error.h"
#include "base/HexText.h"
#include "model/KeyPictureDraw.h"
#include "model/PictureStream.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <random>

namespace {

QByteArray Encode(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format)) << format;
    return bytes;
}

QImage SampleImage(int width = 4, int height = 3)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 255));
    image.setPixel(0, height - 1, qRgb(255, 0, 0));
    return image;
}

void AppendUInt32(QByteArray &out, uint32_t value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

// A minimal enhanced metafile: its header record, optional padding records
// and the end record; the frame is width by height pixels at 96 per inch.
QByteArray SampleMetafile(int width, int height, qsizetype totalSize = 108)
{
    QByteArray emf;
    AppendUInt32(emf, 1);  // EMR_HEADER
    AppendUInt32(emf, 88); // record size
    for (int v : {0, 0, width - 1, height - 1})
        AppendUInt32(emf, uint32_t(v)); // bounds
    for (int v : {0, 0, width * 2540 / 96, height * 2540 / 96})
        AppendUInt32(emf, uint32_t(v)); // frame, hundredths of a millimetre
    AppendUInt32(emf, 0x464D4520);      // " EMF"
    AppendUInt32(emf, 0x10000);
    AppendUInt32(emf, uint32_t(totalSize));
    AppendUInt32(emf, 2);
    AppendUInt32(emf, 1); // handles and reserved
    for (int i = 0; i < 3; ++i)
        AppendUInt32(emf, 0);
    for (int v : {1920, 1080, 508, 286})
        AppendUInt32(emf, uint32_t(v));
    const qsizetype padding = totalSize - 108;
    if (padding > 0) {
        AppendUInt32(emf, 70); // EMR_GDICOMMENT
        AppendUInt32(emf, uint32_t(padding));
        emf.append(padding - 8, '\0');
    }
    for (uint32_t v : {14u, 20u, 0u, 16u, 20u}) // EMR_EOF
        AppendUInt32(emf, v);
    return emf;
}

TGraphic Sample(const QString &className)
{
    if (className == u"TMetafile")
        return TGraphic::FromData(className, SampleMetafile(40, 30));
    const char *format = className == u"TBitmap"      ? "BMP"
                         : className == u"TJPEGImage" ? "JPG"
                         : className == u"TIcon"      ? "ICO"
                                                      : "PNG";
    return TGraphic::FromData(className, Encode(SampleImage(), format));
}

QByteArray ShortString(const char *text)
{
    return char(qstrlen(text)) + QByteArray(text);
}

} // namespace

TEST(Font, DefaultsAndSizeConversion)
{
    TFont font;
    EXPECT_EQ(font.Name(), u"Tahoma");
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.PixelsPerInch(), 96);
    EXPECT_EQ(font.Charset(), 1);
    EXPECT_EQ(font.Color(), 0u);
    EXPECT_EQ(font.Style(), 0);

    font.SetSize(10);
    EXPECT_EQ(font.Height(), -13); // 13.33
    font.SetHeight(-14);
    EXPECT_EQ(font.Size(), 11) << "10.5 rounds away from zero";
    font.SetPixelsPerInch(120);
    EXPECT_EQ(font.Height(), -14) << "the resolution keeps the height";
    EXPECT_EQ(font.Size(), 8); // 8.4
    font.SetSize(10);
    EXPECT_EQ(font.Height(), -17); // 16.67

    EXPECT_EQ(MulDiv(-7, 1, 2), -4);
    EXPECT_EQ(MulDiv(7, 1, 2), 4);
    EXPECT_EQ(MulDiv(5, 3, 0), -1);
    EXPECT_EQ(MulDiv(INT32_MAX, INT32_MAX, 1), -1);
    font.SetPixelsPerInch(0); // a broken file must not divide by zero
    EXPECT_EQ(font.Size(), 1);
}

TEST(Font, EqualityAndDrawing)
{
    TFont a, b;
    EXPECT_TRUE(a == b);
    b.SetStyle(fsItalic);
    EXPECT_FALSE(a == b);
    b = a;
    b.SetCharset(204);
    EXPECT_FALSE(a == b);
    b = a;
    b.SetColor(0x80000008);
    EXPECT_FALSE(a == b);

    TFont font;
    font.SetName(QStringLiteral("DejaVu Sans"));
    font.SetHeight(-20);
    font.SetStyle(fsBold | fsItalic | fsUnderline | fsStrikeOut);
    const QFont q = font.ToQFont();
    EXPECT_EQ(q.family(), u"DejaVu Sans");
    EXPECT_EQ(q.pixelSize(), 20);
    EXPECT_TRUE(q.bold() && q.italic() && q.underline() && q.strikeOut());
    font.SetHeight(INT32_MIN);
    EXPECT_GT(font.ToQFont().pixelSize(), 0);

    EXPECT_EQ(ColorToQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ColorToQColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(ColorToQColor(0x8000000F), QColor(0xF0, 0xF0, 0xF0)) << "button face";
    EXPECT_EQ(ColorToQColor(0x80000005), QColor(255, 255, 255)) << "window";
}

TEST(KeyPicture, SettersAndFlags)
{
    TNotifier notifier;
    TKeyPicture picture(&notifier);
    EXPECT_EQ(picture.BackgroundColor(), 0xFFFFFFu);
    EXPECT_EQ(picture.TextOrientation(), 0);
    EXPECT_FALSE(picture.HasGraphic());

    picture.SetText(QString());
    EXPECT_FALSE(picture.IsChanged() || picture.TextChanged() || notifier.Modified());
    picture.SetText(QStringLiteral("Итог"));
    EXPECT_TRUE(picture.IsChanged() && picture.TextChanged() && notifier.Modified());
    EXPECT_FALSE(picture.FontChanged() || picture.ColorChanged() || picture.OrientationChanged() ||
                 picture.GraphicChanged());

    // The other setters store and mark even an equal value.
    picture.ResetFlags();
    EXPECT_FALSE(picture.IsChanged() || picture.TextChanged());
    picture.SetFont(picture.Font());
    picture.SetBackgroundColor(picture.BackgroundColor());
    picture.SetTextOrientation(0);
    picture.SetPicture(TGraphic());
    EXPECT_TRUE(picture.IsChanged() && picture.FontChanged() && picture.ColorChanged() &&
                picture.OrientationChanged() && picture.GraphicChanged());
    EXPECT_FALSE(picture.TextChanged());

    picture.SetPicture(Sample(QStringLiteral("TPngImage")));
    picture.SetBackgroundColor(0x00FF00);
    picture.SetTextOrientation(1);
    TFont font;
    font.SetSize(14);
    picture.SetFont(font);
    picture.ResetFlags();
    picture.Clear();
    EXPECT_TRUE(picture.Text().isEmpty());
    EXPECT_FALSE(picture.HasGraphic());
    EXPECT_EQ(picture.BackgroundColor(), 0xFFFFFFu);
    EXPECT_EQ(picture.TextOrientation(), 0);
    EXPECT_EQ(picture.Font(), font) << "Clear keeps the font";
    EXPECT_TRUE(picture.IsChanged());
}

TEST(KeyPicture, AssignCopiesEveryProperty)
{
    TKeyPicture source;
    source.SetText(QStringLiteral("F1"));
    TFont font;
    font.SetName(QStringLiteral("Arial"));
    source.SetFont(font);
    source.SetBackgroundColor(0x123456);
    source.SetTextOrientation(1);
    TGraphic graphic = Sample(QStringLiteral("TBitmap"));
    source.SetPicture(graphic);

    TKeyPicture target;
    target.Assign(source);
    EXPECT_EQ(target.Text(), u"F1");
    EXPECT_EQ(target.Font(), font);
    EXPECT_EQ(target.BackgroundColor(), 0x123456u);
    EXPECT_EQ(target.TextOrientation(), 1);
    EXPECT_EQ(target.Picture(), graphic) << "the graphic keeps its transparent flag";
    EXPECT_TRUE(target.TextChanged() && target.FontChanged() && target.ColorChanged() &&
                target.OrientationChanged() && target.GraphicChanged());
}

TEST(KeyPicture, PictureDataBytes)
{
    TKeyPicture picture;
    EXPECT_EQ(picture.PictureData(), u"545046300B544B657950696374757265000000");

    const QByteArray png = Encode(SampleImage(), "PNG");
    picture.SetPicture(TGraphic::FromData(QStringLiteral("TPngImage"), png));
    QByteArray expected("TPF0");
    expected += ShortString("TKeyPicture");
    expected += '\0';
    expected += ShortString("Picture.Data");
    expected += '\x0A';
    AppendUInt32(expected, uint32_t(10 + png.size()));
    expected += ShortString("TPngImage") + png;
    expected += QByteArray(2, '\0');
    EXPECT_EQ(picture.PictureData(), BytesToHex(expected));

    const QByteArray bmp = Encode(SampleImage(), "BMP");
    QByteArray data = ShortString("TBitmap");
    AppendUInt32(data, uint32_t(bmp.size()));
    EXPECT_EQ(GraphicToPictureData(TGraphic::FromData(QStringLiteral("TBitmap"), bmp)), data + bmp)
        << "bitmaps carry their size";
    const QByteArray ico = Encode(SampleImage(), "ICO");
    EXPECT_EQ(GraphicToPictureData(TGraphic::FromData(QStringLiteral("TIcon"), ico)),
              ShortString("TIcon") + ico);
}

TEST(KeyPicture, EveryGraphicKindRoundTrips)
{
    for (const QString &className : TGraphic::ClassNames()) {
        SCOPED_TRACE(className.toStdString());
        TKeyPicture source;
        const TGraphic graphic = Sample(className);
        ASSERT_FALSE(graphic.IsEmpty());
        source.SetPicture(graphic);
        EXPECT_FALSE(source.Picture().Transparent());

        TKeyPicture target;
        target.SetPictureData(source.PictureData());
        ASSERT_TRUE(target.HasGraphic());
        EXPECT_EQ(target.Picture().ClassName(), className);
        EXPECT_EQ(target.Picture().Data(), graphic.Data());
        EXPECT_TRUE(target.Picture().Transparent()) << "a graphic read back is transparent";
        EXPECT_TRUE(target.GraphicChanged());
        EXPECT_EQ(target.PictureData(), source.PictureData());
        if (className == u"TMetafile") {
            EXPECT_TRUE(target.Picture().Image().isNull());
            EXPECT_EQ(target.Picture().Size(), QSize(40, 30));
        } else {
            EXPECT_EQ(target.Picture().Image().size(), QSize(4, 3));
        }
    }
}

TEST(KeyPicture, TransparentBitmapDropsItsBottomLeftColour)
{
    TGraphic graphic = Sample(QStringLiteral("TBitmap"));
    EXPECT_EQ(qAlpha(graphic.ImageToDraw().pixel(0, 2)), 255);
    graphic.SetTransparent(true);
    const QImage image = graphic.ImageToDraw();
    EXPECT_EQ(qAlpha(image.pixel(0, 2)), 0);
    EXPECT_EQ(qAlpha(image.pixel(1, 1)), 255);
}

TEST(KeyPicture, GraphicsLargerThan256KiBAreRefused)
{
    TKeyPicture picture;
    const TGraphic atLimit = TGraphic::FromData(QStringLiteral("TMetafile"), SampleMetafile(10, 10, 262144));
    picture.SetPicture(atLimit);
    EXPECT_EQ(picture.Picture(), atLimit);

    const TGraphic tooLarge = TGraphic::FromData(QStringLiteral("TMetafile"), SampleMetafile(10, 10, 262148));
    picture.ResetFlags();
    try {
        picture.SetPicture(tooLarge);
        FAIL();
    } catch (const EError &e) {
        EXPECT_EQ(e.Message(), u"Размер изображения не может превышать 256 КБ.");
    }
    EXPECT_EQ(picture.Picture(), atLimit);
    EXPECT_FALSE(picture.IsChanged() || picture.GraphicChanged());

    // A stream that was already stored with a larger graphic still loads.
    TKeyPicture loaded;
    loaded.SetPictureData(BytesToHex(WritePictureStream(tooLarge)));
    EXPECT_EQ(loaded.Picture().Data(), tooLarge.Data());
}

TEST(KeyPicture, GraphicFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const QByteArray jpeg = Encode(SampleImage(), "JPG");
    const TGraphic graphic = TGraphic::FromFile(write(QStringLiteral("a.JPEG"), jpeg));
    EXPECT_EQ(graphic.ClassName(), u"TJPEGImage");
    EXPECT_EQ(graphic.Data(), jpeg);
    EXPECT_EQ(graphic.DefaultExtension(), u"jpg");
    EXPECT_EQ(TGraphic::FromFile(write(QStringLiteral("b.emf"), SampleMetafile(5, 5))).ClassName(),
              u"TMetafile");

    const QString saved = dir.filePath(QStringLiteral("c.") + graphic.DefaultExtension());
    graphic.SaveToFile(saved);
    EXPECT_EQ(TGraphic::FromFile(saved), graphic);

    EXPECT_THROW(TGraphic::FromFile(write(QStringLiteral("d.gif"), jpeg)), EError);
    EXPECT_THROW(TGraphic::FromFile(write(QStringLiteral("e.png"), jpeg)), EError)
        << "a JPEG named .png is no PNG";
    EXPECT_THROW(TGraphic::FromFile(dir.filePath(QStringLiteral("missing.bmp"))), EError);
    try {
        TGraphic::FromFile(write(QStringLiteral("f.emf"), SampleMetafile(5, 5, 300000)));
        FAIL();
    } catch (const EError &e) {
        EXPECT_EQ(e.Message(), u"Размер изображения не может превышать 256 КБ.");
    }
    EXPECT_THROW(TGraphic::FromData(u"TGifImage", jpeg), EError);
}

TEST(KeyPicture, TolerantReading)
{
    TKeyPicture picture;
    picture.SetPicture(Sample(QStringLiteral("TPngImage")));
    picture.ResetFlags();
    picture.SetPictureData(u"");
    picture.SetPictureData(u"no digits here: xyz");
    EXPECT_TRUE(picture.HasGraphic()) << "text without hex digits leaves the graphic";
    EXPECT_FALSE(picture.IsChanged());

    const auto load = [](const QByteArray &stream) {
        TKeyPicture p;
        p.SetPicture(Sample(QStringLiteral("TIcon")));
        p.SetPictureData(BytesToHex(stream));
        return p.HasGraphic();
    };
    const auto stream = [](const QByteArray &data, qsizetype lengthDelta = 0) {
        QByteArray out("TPF0");
        out += ShortString("TKeyPicture") + '\0' + ShortString("Picture.Data") + '\x0A';
        AppendUInt32(out, uint32_t(data.size() + lengthDelta));
        return out + data + QByteArray(2, '\0');
    };
    const QByteArray bmp = Encode(SampleImage(), "BMP");
    QByteArray bitmapData = ShortString("TBitmap");
    AppendUInt32(bitmapData, uint32_t(bmp.size()));
    bitmapData += bmp;
    ASSERT_TRUE(load(stream(bitmapData)));

    EXPECT_FALSE(load(WritePictureStream(TGraphic()))) << "a stream without graphic empties the picture";
    EXPECT_FALSE(load("00"));
    // Graphics are kept as stored, whether or not they decode.
    EXPECT_TRUE(load(stream(ShortString("TGifImage") + bmp))) << "unknown class";
    EXPECT_FALSE(load(stream(bitmapData, 1))) << "property length beyond the end";
    EXPECT_FALSE(load(stream(bitmapData, -1)));
    QByteArray wrongSize = bitmapData;
    wrongSize[8] = char(wrongSize[8] + 1);
    EXPECT_FALSE(load(stream(wrongSize))) << "bitmap size not matching its data";
    EXPECT_TRUE(load(stream(ShortString("TPngImage") + bmp))) << "a bitmap named PNG";
    QByteArray otherClass = stream(bitmapData);
    otherClass[5] = 'X';
    EXPECT_FALSE(load(otherClass)) << "not a key picture";
    const QByteArray whole = stream(bitmapData);
    EXPECT_FALSE(load(whole.left(whole.size() - 1))) << "truncated";
}

TEST(KeyPictureRobustness, RandomTruncatedAndMutatedStreams)
{
    // Corrupt images make the decoders complain; the complaints are expected.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    std::mt19937 rng(7351);
    std::vector<QByteArray> samples;
    for (const QString &className : TGraphic::ClassNames())
        samples.push_back(WritePictureStream(Sample(className)));
    samples.push_back(WritePictureStream(TGraphic()));

    int loaded = 0, cases = 0;
    const auto check = [&](const QByteArray &stream) {
        ++cases;
        const TGraphic graphic = ReadPictureStream(stream);
        if (graphic.IsEmpty())
            return;
        ++loaded;
        EXPECT_EQ(ReadPictureStream(WritePictureStream(graphic)), graphic) << "what loads writes back";
        // Drawing decodes, and must survive whatever was kept.
        QImage canvas(8, 8, QImage::Format_ARGB32);
        QPainter painter(&canvas);
        DrawGraphic(painter, graphic, QRectF(0, 0, 8, 8));
    };
    for (const QByteArray &sample : samples)
        for (qsizetype n = 0; n <= sample.size(); ++n)
            check(sample.left(n));
    for (int round = 0; round < 10000; ++round) {
        QByteArray input = samples[rng() % samples.size()];
        if (round % 4 == 0) {
            input.resize(qsizetype(rng() % 64));
            for (char &c : input)
                c = char(rng());
        } else {
            const int edits = 1 + int(rng() % 4);
            for (int e = 0; e < edits && !input.isEmpty(); ++e) {
                const qsizetype at = qsizetype(rng() % uint32_t(input.size()));
                switch (rng() % 3) {
                case 0:
                    input[at] = char(rng());
                    break;
                case 1:
                    input.remove(at, 1 + qsizetype(rng() % 8));
                    break;
                default:
                    input.insert(at, char(rng()));
                    break;
                }
            }
        }
        check(input);
        // The hexadecimal path must behave the same way.
        TKeyPicture picture;
        picture.SetPictureData(BytesToHex(input));
        EXPECT_EQ(picture.HasGraphic(), !ReadPictureStream(input).IsEmpty());
    }
    qInstallMessageHandler(previous);
    EXPECT_GT(loaded, 0);
    EXPECT_GT(cases, 10000);
}
