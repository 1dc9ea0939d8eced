#include "CliTestSupport.h"

#include "catalogue/Keyboards.h"
#include "files/XMLLayout.h"
#include "model/Graphic.h"
#include "model/Key.h"
#include "model/KeyPicture.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "support/SmallFileSystem.h"
#include "support/TestCatalogue.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <sys/resource.h>
#include <sys/stat.h>

// The tool never loses a file, never hangs on or swallows a special file,
// and reports every failed write with exit code 2.

namespace {

QByteArray ReadBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString NewLayout(const QDir &folder)
{
    const QString path = folder.filePath(QStringLiteral("a.xml"));
    EXPECT_EQ(Ravlin({QStringLiteral("new"), QStringLiteral("1"), path}).ExitCode, 0);
    return path;
}

QString SparseFile(const QDir &folder, const char *name, qint64 size)
{
    const QString path = folder.filePath(QString::fromLatin1(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(size));
    return path;
}

} // namespace

TEST(SafeFilesCli, FullDiskFailsAndKeepsTheOldFile)
{
    SmallFileSystem disk;
    if (!disk.Mounted)
        GTEST_SKIP() << kNoSmallFileSystem;
    QTemporaryDir dir;
    const QString input = NewLayout(QDir(dir.path()));
    const QString keep = disk.Path("keep.bin");
    ASSERT_EQ(Ravlin({QStringLiteral("convert"), input, keep}).ExitCode, 0);
    const QByteArray old = ReadBytes(keep);
    disk.Fill();

    const TRun convert = Ravlin({QStringLiteral("convert"), input, keep});
    EXPECT_EQ(convert.ExitCode, 2);
    EXPECT_EQ(convert.Err, QStringLiteral("Не удалось записать файл \"%1\": Нет свободного места на устройстве\n").arg(keep));
    EXPECT_EQ(ReadBytes(keep), old);
    const TRun emf = Ravlin({QStringLiteral("convert"), input, disk.Path("keep.emf")});
    EXPECT_EQ(emf.ExitCode, 2) << emf.Err.toStdString();
    for (const char *name : {"keep.png", "keep.svg", "keep.pdf"}) {
        const TRun run = Ravlin({QStringLiteral("export"), input, disk.Path(name)});
        EXPECT_EQ(run.ExitCode, 2) << name;
        EXPECT_TRUE(run.Err.contains(QString::fromLatin1(name)) && run.Err.contains(u"Нет свободного места на устройстве"))
            << run.Err.toStdString();
    }
    EXPECT_EQ(QDir(disk.Dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{QStringLiteral("filler"), QStringLiteral("keep.bin")}));
}

TEST(SafeFilesCli, SpecialFilesAreRefused)
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    const QString input = NewLayout(folder);
    const QString fifo = folder.filePath(QStringLiteral("pipe.xml"));
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit(), 0600), 0);

    for (const QString &output : {fifo, QStringLiteral("/dev/null")}) {
        const TRun run = Ravlin({QStringLiteral("convert"), input, output, QStringLiteral("--format=xml")});
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_EQ(run.Err,
                  QStringLiteral("Файл \"%1\" не является обычным файлом; запись в него невозможна.\n").arg(output));
        EXPECT_FALSE(QFileInfo(output).isFile()) << output.toStdString();
    }

    // A FIFO would block the read for ever, /dev/zero and a huge sparse file
    // would eat the memory until the tool aborts.
    const QString sparse = SparseFile(folder, "sparse.xml", 2ll * 1024 * 1024 * 1024);
    for (const QString &bad : {fifo, QStringLiteral("/dev/zero"), sparse}) {
        QElapsedTimer timer;
        timer.start();
        const TRun run = Ravlin({QStringLiteral("dump"), bad, QStringLiteral("--in-format=xml")});
        EXPECT_EQ(run.ExitCode, 2) << bad.toStdString();
        EXPECT_TRUE(run.Err.contains(bad)) << run.Err.toStdString();
        EXPECT_LT(timer.elapsed(), 10000) << bad.toStdString();
    }
}

TEST(SafeFilesCli, OutOfMemoryEndsTheCommandWithAMessage)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit allows";
#endif
    QTemporaryDir dir;
    // Below the size limit of layout files, above what 300 MB of address
    // space leave the tool to read it into.
    const QString big = SparseFile(QDir(dir.path()), "big.xml", 250ll * 1024 * 1024);
    const TRun run = Ravlin({QStringLiteral("dump"), big}, [](QProcess &process) {
        process.setChildProcessModifier([] {
            const rlimit limit{300ul * 1024 * 1024, 300ul * 1024 * 1024};
            ::setrlimit(RLIMIT_AS, &limit);
        });
    });
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_EQ(run.Err, u"Недостаточно памяти для выполнения команды.\n");
}

TEST(SafeFilesCli, FailedStandardOutputIsAnError)
{
    QTemporaryDir dir;
    const QString input = NewLayout(QDir(dir.path()));
    const TRun run = Ravlin({QStringLiteral("dump"), input},
                            [](QProcess &process) { process.setStandardOutputFile(QStringLiteral("/dev/full")); });
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_EQ(run.Err, u"Не удалось записать стандартный вывод: Нет свободного места на устройстве\n");
}

// A bitmap whose pixel data offset points far past its end makes Qt's image
// reader warn, and a PNG with a broken checksum makes libpng print its error
// straight to standard error, when the pictures are drawn: both reach the
// user only with --verbose.
TEST(SafeFilesCli, QtWarningsOnlyWithVerbose)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QBuffer bmp, png;
    bmp.open(QIODevice::WriteOnly);
    png.open(QIODevice::WriteOnly);
    image.save(&bmp, "BMP");
    image.save(&png, "PNG");
    TLayout layout;
    layout.ChangeKeyboard(ShippedKeyboards().ByID(1));
    layout.Layers().Item(0).Keys().Item(0).Picture().SetPicture(TGraphic::FromData(u"TBitmap", bmp.data()));
    layout.Layers().Item(0).Keys().Item(1).Picture().SetPicture(TGraphic::FromData(u"TPngImage", png.data()));
    QByteArray xml = TXMLLayout(nullptr, ShippedKeyboards()).SaveToString(layout);
    const qsizetype start = xml.indexOf(bmp.data().toHex().toUpper());
    ASSERT_GT(start, 0);
    xml.replace(start + 20, 8, "FFFFFF0F");
    const qsizetype pngStart = xml.indexOf(png.data().toHex().toUpper());
    ASSERT_GT(pngStart, 0);
    xml.replace(pngStart + 2 * (png.data().indexOf("IDAT") + 6), 2, "55");

    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("damaged.xml"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(xml);
    file.close();
    const QString picture = QDir(dir.path()).filePath(QStringLiteral("damaged.png"));
    const TRun quiet = Ravlin({QStringLiteral("export"), path, picture});
    const TRun verbose = Ravlin({QStringLiteral("export"), path, picture, QStringLiteral("--verbose")});
    EXPECT_EQ(quiet.ExitCode, 0);
    EXPECT_EQ(verbose.ExitCode, 0);
    EXPECT_TRUE(verbose.Err.contains(u"QBuffer::seek")) << verbose.Err.toStdString();
    EXPECT_TRUE(verbose.Err.contains(u"libpng error")) << verbose.Err.toStdString();
    EXPECT_EQ(quiet.Err, QString());
}
