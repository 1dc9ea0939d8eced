#include "CliTestSupport.h"

#include "catalogue/Keyboards.h"
#include "files/XMLLayout.h"
#include "model/Key.h"
#include "model/KeyPicture.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/ScanCodes.h"
#include "support/RichLayout.h"
#include "support/TestCatalogue.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray ReadBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A layout of the 6 x 5 model whose first layer shows a red key, a text and
// a 5 x 4 image, written as an XML layout file.
QString WritePictureLayout(const QTemporaryDir &dir)
{
    TLayout layout;
    layout.ChangeKeyboard(ShippedKeyboards().ByID(2));
    TLayer &layer = layout.Layers().Item(0);
    layer.KeyAtOrFail(0, 0).Picture().SetBackgroundColor(0x0000FF);
    layer.KeyAtOrFail(1, 0).Picture().SetText(QStringLiteral("Итог"));
    layer.KeyAtOrFail(2, 0).Picture().SetPicture(TGraphic::FromData(u"TPngImage", SamplePng()));
    layer.KeyAtOrFail(0, 0).MakeCodes().SetText(u"+A -A");
    const QString path = dir.filePath(QStringLiteral("picture.xml"));
    TXMLLayout(nullptr, ShippedKeyboards()).SaveToFile(layout, path);
    return path;
}

} // namespace

TEST(FormatsCli, ConvertWritesEveryImageFormAndReadsImagesBack)
{
    QTemporaryDir dir;
    const QString source = WritePictureLayout(dir);
    // The 2.10 image by suffix, the other forms by name; each reads back with
    // the open registry's image reader.
    const QStringList formats = {QString(), QStringLiteral("bin13"), QStringLiteral("bin28"), QStringLiteral("bin29")};
    const uint16_t markers[] = {0x020A, 0x0100, 0x0208, 0x0209};
    for (int i = 0; i < formats.size(); ++i) {
        const QString image = dir.filePath(QStringLiteral("image%1.bin").arg(i));
        QStringList args = {QStringLiteral("convert"), source, image};
        if (!formats[i].isEmpty())
            args << QStringLiteral("--format") << formats[i];
        const TRun write = Ravlin(args);
        ASSERT_EQ(write.ExitCode, 0) << write.Err.toStdString();
        const QByteArray bytes = ReadBytes(image);
        ASSERT_GE(bytes.size(), 2);
        const uint16_t trailer = qFromLittleEndian<uint16_t>(bytes.constData());
        ASSERT_LT(trailer + 1, bytes.size());
        EXPECT_EQ(qFromLittleEndian<uint16_t>(bytes.constData() + trailer), markers[i]) << formats[i].toStdString();

        const QString back = dir.filePath(QStringLiteral("back%1.xml").arg(i));
        const TRun read = Ravlin({QStringLiteral("convert"), image, back});
        ASSERT_EQ(read.ExitCode, 0) << read.Err.toStdString();
        const TRun find = Ravlin({QStringLiteral("find"), back, QStringLiteral("+A")});
        EXPECT_EQ(find.ExitCode, 0) << formats[i].toStdString();
    }

    const QString old = dir.filePath(QStringLiteral("old.xml"));
    ASSERT_EQ(Ravlin({QStringLiteral("convert"), source, old, QStringLiteral("--format=xml13")}).ExitCode, 0);
    EXPECT_FALSE(ReadBytes(old).contains("Vesion"));
    EXPECT_EQ(Ravlin({QStringLiteral("find"), old, QStringLiteral("+A")}).ExitCode, 0);

    // A text file read as an image names no model of the catalogue.
    const TRun garbage = Ravlin({QStringLiteral("convert"), source, dir.filePath(QStringLiteral("x.xml")),
                                 QStringLiteral("--in-format"), QStringLiteral("bin")});
    EXPECT_EQ(garbage.ExitCode, 2);
    EXPECT_TRUE(garbage.Err.startsWith(QStringLiteral("Не найдено описание клавиатуры"))) << garbage.Err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("x.xml"))));
}

TEST(FormatsCli, PicturesAsMetafilePngSvgAndPdf)
{
    QTemporaryDir dir;
    const QString source = WritePictureLayout(dir);

    const QString emf = dir.filePath(QStringLiteral("picture.emf"));
    ASSERT_EQ(Ravlin({QStringLiteral("convert"), source, emf}).ExitCode, 0);
    const QByteArray metafile = ReadBytes(emf);
    ASSERT_GE(metafile.size(), 88);
    EXPECT_EQ(qFromLittleEndian<uint32_t>(metafile.constData()), 1u);
    EXPECT_EQ(metafile.mid(40, 4), QByteArray(" EMF"));

    const QString png = dir.filePath(QStringLiteral("picture.png"));
    const TRun export_ = Ravlin({QStringLiteral("export"), source, png});
    ASSERT_EQ(export_.ExitCode, 0) << export_.Err.toStdString();
    const QImage image(png);
    ASSERT_FALSE(image.isNull());
    // The grid of 6 x 5 cells of 48 pixels and a margin around it.
    EXPECT_GE(image.width(), 6 * 48);
    EXPECT_LT(image.width(), 6 * 48 + 20);
    EXPECT_GE(image.height(), 5 * 48);
    EXPECT_EQ(image.pixel(image.width() / 2 + 10, image.height() / 2 + 10), qRgb(255, 255, 255));
    bool red = false;
    for (int x = 0; x < image.width() && !red; ++x)
        red = image.pixel(x, 20) == qRgb(255, 0, 0);
    EXPECT_TRUE(red);

    EXPECT_EQ(Ravlin({QStringLiteral("export"), source, dir.filePath(QStringLiteral("p.svg"))}).ExitCode, 0);
    EXPECT_TRUE(ReadBytes(dir.filePath(QStringLiteral("p.svg"))).contains("<svg"));
    EXPECT_EQ(Ravlin({QStringLiteral("export"), source, dir.filePath(QStringLiteral("p.pdf")),
                      QStringLiteral("--layer"), QStringLiteral("2")})
                  .ExitCode,
              0);
    EXPECT_TRUE(ReadBytes(dir.filePath(QStringLiteral("p.pdf"))).startsWith("%PDF"));

    const TRun badLayer = Ravlin({QStringLiteral("export"), source, png, QStringLiteral("--layer=3")});
    EXPECT_EQ(badLayer.ExitCode, 2);
    EXPECT_EQ(badLayer.Err.trimmed(), QStringLiteral("Неверный номер слоя: 3"));
    const TRun badKind = Ravlin({QStringLiteral("export"), source, dir.filePath(QStringLiteral("p.gif"))});
    EXPECT_EQ(badKind.ExitCode, 2);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("p.gif"))));
}
