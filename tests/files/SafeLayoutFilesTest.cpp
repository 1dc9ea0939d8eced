#include "FilesTestData.h"

#include "base/SafeFile.h"
#include "files/LayoutFileFormats.h"
#include "files/LayoutFormat.h"
#include "files/LayoutPicture.h"
#include "files/XMLLayout.h"
#include "xml/ECXMLParser.h"
#include "model/Layout.h"
#include "support/SmallFileSystem.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <sys/stat.h>

// Every layout, picture and XML file is written whole or not at all, and
// only regular files of a sane size are read.

namespace {

const char *const kPictures[] = {"keep.png", "keep.svg", "keep.pdf"};

std::unique_ptr<TLayout> SmallLayout()
{
    auto layout = std::make_unique<TLayout>();
    layout->ChangeKeyboard(ShippedKeyboards().ByID(1));
    layout->SetFileName(QStringLiteral("before.xml"));
    return layout;
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Makes every save fail at its commit, as a full disk would, while alive.
struct TFailingDisk {
    TFailingDisk() { SetWriteFaultHook([](const QString &) { return false; }); }
    ~TFailingDisk() { SetWriteFaultHook(nullptr); }
};

void ExpectNamesTheFile(const QString &message, const QString &path)
{
    EXPECT_TRUE(message.contains(QFileInfo(path).fileName())) << message.toStdString();
    EXPECT_TRUE(message.contains(u"No space left on device")) << message.toStdString();
}

// Saves the layout in every format to target and as every picture beside
// it; each save must fail naming the file, and nothing may change.
void ExpectEverySaveFails(const QString &target)
{
    const TLayoutFileFormats files(ShippedKeyboards());
    const QByteArray old = ReadFileBytes(target);
    auto layout = SmallLayout();
    for (int i = 0; i < files.Formats().Count(); ++i) {
        TLayoutFormat &format = files.Formats().Item(i);
        ExpectNamesTheFile(ErrorOf([&] { format.SaveToFile(*layout, target); }), target);
        EXPECT_EQ(ReadFileBytes(target), old) << format.ShortName().toStdString();
        EXPECT_EQ(layout->FileName(), u"before.xml");
    }
    const QDir folder = QFileInfo(target).dir();
    for (const char *name : kPictures) {
        const QString picture = folder.filePath(QString::fromLatin1(name));
        ExpectNamesTheFile(ErrorOf([&] { SaveLayoutPicture(*layout, picture); }), picture);
        EXPECT_FALSE(QFileInfo::exists(picture)) << name;
    }
}

} // namespace

TEST(SafeLayoutFiles, FullDiskKeepsTheOldFile)
{
    SmallFileSystem disk;
    if (!disk.Mounted)
        GTEST_SKIP() << kNoSmallFileSystem;
    const QString target = disk.Path("keep.bin");
    const TLayoutFileFormats files(ShippedKeyboards());
    auto layout = SmallLayout();
    files.Formats().Item(2).SaveToFile(*layout, target);
    ASSERT_GT(QFileInfo(target).size(), 0);
    disk.Fill();
    ExpectEverySaveFails(target);
    EXPECT_EQ(QDir(disk.Dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{QStringLiteral("filler"), QStringLiteral("keep.bin")}))
        << "no temporary file is left";
}

// The same through the write hook, on any machine: every writer of layouts,
// pictures and XML documents goes through the one safe writer.
TEST(SafeLayoutFiles, EveryWriterGoesThroughTheSafeWriter)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("keep.bin"));
    WriteFile(target, "old layout");
    const TFailingDisk failing;
    ExpectEverySaveFails(target);

    TECXMLParser parser;
    parser.LoadFromBytes("<a><b>text</b></a>");
    const QString xml = dir.filePath(QStringLiteral("keep.xml"));
    WriteFile(xml, "old document");
    ExpectNamesTheFile(ErrorOf([&] { parser.SaveToFile(xml); }), xml);
    EXPECT_EQ(ReadFileBytes(xml), "old document");
}

TEST(SafeLayoutFiles, SpecialOutputsAreNeverReplaced)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.xml"));
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit(), 0600), 0);
    const TLayoutFileFormats files(ShippedKeyboards());
    auto layout = SmallLayout();
    const QString refused = QStringLiteral("не является обычным файлом");
    EXPECT_TRUE(ErrorOf([&] { files.XMLFormat().SaveToFile(*layout, fifo); }).contains(refused));
    EXPECT_EQ(layout->FileName(), u"before.xml");
    const QString picture = dir.filePath(QStringLiteral("pipe.png"));
    ASSERT_EQ(::mkfifo(picture.toLocal8Bit(), 0600), 0);
    EXPECT_TRUE(ErrorOf([&] { SaveLayoutPicture(*layout, picture); }).contains(refused));
    TECXMLParser parser;
    EXPECT_TRUE(ErrorOf([&] { parser.SaveToFile(fifo); }).contains(refused));
    EXPECT_FALSE(QFileInfo(fifo).isFile());
    EXPECT_FALSE(QFileInfo(picture).isFile());
}

// A FIFO would block the read forever, a device or a huge sparse file would
// eat the memory: all are refused before reading, and the layout stays.
TEST(SafeLayoutFiles, SpecialAndHugeInputsAreRefused)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.xml"));
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit(), 0600), 0);
    const QString sparse = dir.filePath(QStringLiteral("sparse.bin"));
    {
        QFile file(sparse);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(FileLimits::kLayoutFile + 1));
    }
    const TLayoutFileFormats files(ShippedKeyboards());
    for (const QString &input : {fifo, QStringLiteral("/dev/zero"), sparse}) {
        for (int i = 0; i < files.OpenFormats().Count(); ++i) {
            auto layout = SmallLayout();
            EXPECT_NE(ErrorOf([&] { files.OpenFormats().Item(i).LoadFromFile(*layout, input); }), u"no error")
                << input.toStdString();
            EXPECT_EQ(layout->FileName(), u"before.xml");
        }
        TECXMLParser parser;
        EXPECT_NE(ErrorOf([&] { parser.LoadFromFile(input); }), u"no error") << input.toStdString();
    }
    EXPECT_TRUE(ErrorOf([&] { files.XMLFormat().LoadFromFile(*SmallLayout(), sparse); })
                    .contains(QStringLiteral("слишком велик")));
}

TEST(SafeLayoutFiles, ImagesThatCannotBeEncodedRaise)
{
    const QString path = QStringLiteral("/tmp/picture.png");
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    EXPECT_TRUE(ImageBytes(image, "PNG", path).startsWith("\x89PNG"));
    for (const QString &message :
         {ErrorOf([&] { ImageBytes(QImage(), "PNG", path); }), ErrorOf([&] { ImageBytes(image, "NOSUCH", path); })})
        EXPECT_TRUE(message.contains(u"picture.png")) << message.toStdString();
}
