#include "model/Graphic.h"

#include "base/Error.h"
#include "base/HexText.h"
#include "model/KeyPicture.h"
#include "model/KeyPictureDraw.h"
#include "model/PictureStream.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

uint32_t Crc32(QByteArrayView bytes)
{
    uint32_t crc = 0xFFFFFFFF;
    for (const char byte : bytes) {
        crc ^= uint8_t(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

QByteArray BigEndian32(uint32_t value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    return QByteArray(bytes, 4);
}

QByteArray Chunk(const QByteArray &type, const QByteArray &data)
{
    return BigEndian32(uint32_t(data.size())) + type + data + BigEndian32(Crc32(type + data));
}

// A PNG whose header claims width x height pixels of 24-bit colour, with
// pixel data too short for it: its size can be read, it cannot be decoded,
// and nothing of that size is ever allocated by reading it.
QByteArray PngHeaderOnly(int width, int height)
{
    const QByteArray header =
        BigEndian32(uint32_t(width)) + BigEndian32(uint32_t(height)) + QByteArray("\x08\x02\x00\x00\x00", 5);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + Chunk("IDAT", QByteArray(4, 'x')) +
           Chunk("IEND", QByteArray());
}

QByteArray SamplePng()
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(qRgb(10, 200, 30));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data();
}

QByteArray ShortString(QByteArrayView text)
{
    return char(text.size()) + text.toByteArray();
}

// The stream a layout file holds for a graphic of a class and its file;
// bitmaps, JPEG images and metafiles carry the file's size before it.
QByteArray StoredStream(QByteArrayView className, const QByteArray &file)
{
    QByteArray value = ShortString(className);
    char size[4];
    if (className == "TBitmap" || className == "TJPEGImage" || className == "TMetafile") {
        qToLittleEndian(uint32_t(file.size()), size);
        value += QByteArray(size, 4);
    }
    value += file;
    qToLittleEndian(uint32_t(value.size()), size);
    return "TPF0" + ShortString("TKeyPicture") + ShortString("") + ShortString("Picture.Data") + '\x0A' +
           QByteArray(size, 4) + value + QByteArray(2, '\0');
}

// Counts the reports of graphics drawn as empty cells while it lives.
class TReportCounter {
public:
    TReportCounter() : FPrevious(qInstallMessageHandler(&Handle)) { Count() = 0; }
    ~TReportCounter() { qInstallMessageHandler(FPrevious); }
    static int &Count()
    {
        static int count = 0;
        return count;
    }

private:
    static void Handle(QtMsgType, const QMessageLogContext &, const QString &message)
    {
        if (message.contains(QStringLiteral("не рисуется")))
            ++Count();
    }
    QtMessageHandler FPrevious;
};

// Draws the picture into a white 60 x 40 cell and returns the cell.
QImage DrawnCell(const TKeyPicture &picture)
{
    QImage cell(60, 40, QImage::Format_RGB32);
    cell.fill(Qt::white);
    QPainter painter(&cell);
    DrawKeyPicture(painter, picture, QRect(0, 0, 60, 40));
    return cell;
}

} // namespace

TEST(GraphicLimits, PicturesThatCannotBeDrawnKeepTheirBytesAndAreReportedOnce)
{
    struct TCase {
        const char *What;
        QByteArray ClassName;
        QByteArray File;
    };
    const TCase cases[] = {
        {"larger than 4096 x 4096", "TPngImage", PngHeaderOnly(5600, 5600)},
        {"beyond the decoder's own allocation limit", "TPngImage", PngHeaderOnly(20000, 20000)},
        {"a bitmap header on PNG data", "TBitmap", QByteArray("BM") + SamplePng()},
        {"an unknown class", "TGIFImage", QByteArray("GIF89a") + QByteArray(20, '\x01')},
        {"a metafile that does not play", "TMetafile", QByteArray(120, '\x05')},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.What);
        const QByteArray stream = StoredStream(c.ClassName, c.File);
        TKeyPicture picture;
        picture.SetBackgroundColor(0x00FF00);
        picture.SetPictureData(BytesToHex(stream));
        ASSERT_TRUE(picture.HasGraphic());
        EXPECT_EQ(picture.Picture().ClassName(), QString::fromLatin1(c.ClassName));
        EXPECT_EQ(picture.Picture().Data(), c.File);
        EXPECT_EQ(picture.PictureData(), BytesToHex(stream)) << "written back unchanged";

        TKeyPicture copy;
        copy.Assign(picture);
        const TReportCounter reports;
        const QImage cell = DrawnCell(picture);
        DrawnCell(picture);
        DrawnCell(copy);
        EXPECT_EQ(TReportCounter::Count(), 1) << "one report for the picture and its copies";
        EXPECT_EQ(cell.pixel(30, 20), qRgb(0, 255, 0)) << "an empty cell of its background";
        EXPECT_EQ(copy.PictureData(), picture.PictureData());
    }
}

TEST(GraphicLimits, SizeComesFromTheHeaderWithoutDecoding)
{
    const TGraphic graphic = TGraphic::FromStored(u"TPngImage", PngHeaderOnly(5600, 4000));
    EXPECT_EQ(graphic.Size(), QSize(5600, 4000));
    const TReportCounter reports;
    EXPECT_TRUE(graphic.Image().isNull());
    EXPECT_TRUE(graphic.ImageToDraw().isNull());
    EXPECT_EQ(TReportCounter::Count(), 1);

    const TGraphic small = TGraphic::FromStored(u"TPngImage", SamplePng());
    EXPECT_EQ(small.Size(), QSize(3, 2));
    EXPECT_EQ(small.Image().pixel(1, 1), qRgb(10, 200, 30));
    EXPECT_EQ(TReportCounter::Count(), 1);
}

TEST(GraphicLimits, NewPicturesBeyondTheLimitAreRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const auto errorOf = [](auto call) {
        try {
            call();
        } catch (const EError &error) {
            return error.Message();
        }
        return QStringLiteral("no error");
    };
    const QString tooWide = write(QStringLiteral("wide.png"), PngHeaderOnly(4097, 10));
    EXPECT_EQ(errorOf([&] { TGraphic::FromFile(tooWide); }),
              u"Изображение 4097×10 точек слишком велико: допустимо не более 4096×4096 точек.");
    EXPECT_EQ(errorOf([&] { TGraphic::FromData(u"TPngImage", PngHeaderOnly(10, 20000)); }),
              u"Изображение 10×20000 точек слишком велико: допустимо не более 4096×4096 точек.");
    // At the limit the size passes; these bytes then fail as no picture.
    const QString atLimit = write(QStringLiteral("limit.png"), PngHeaderOnly(4096, 4096));
    EXPECT_EQ(errorOf([&] { TGraphic::FromFile(atLimit); }),
              QStringLiteral("Файл \"%1\" не является изображением.").arg(atLimit));
    EXPECT_FALSE(TGraphic::Decode(u"TPngImage", PngHeaderOnly(5000, 5000)));

    // Not a regular file: refused before anything is read.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.png")));
    EXPECT_THROW(TGraphic::FromFile(dir.filePath(QStringLiteral("folder.png"))), EError);
    const TGraphic good = TGraphic::FromFile(write(QStringLiteral("good.png"), SamplePng()));
    EXPECT_EQ(good.Size(), QSize(3, 2));
}
