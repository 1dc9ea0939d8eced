#include "base/Error.h"
#include "base/SafeFile.h"
#include "support/SmallFileSystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray Content(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void Put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString ErrorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const EError &e) {
        return e.Message();
    }
    return QString();
}

} // namespace

TEST(SafeFileTest, WritesAndReplacesRegularFiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.bin"));
    WriteFileAtomically(path, QByteArray("first"));
    WriteFileAtomically(path, QByteArray("second"));
    EXPECT_EQ(Content(path), "second");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1); // no temporary file left
}

TEST(SafeFileTest, FullDiskKeepsTheOldFileAndFails)
{
    SmallFileSystem fs;
    if (!fs.Mounted)
        GTEST_SKIP() << kNoSmallFileSystem;
    const QString path = fs.Path("keep.bin");
    Put(path, QByteArray(676, 'k'));
    fs.Fill();
    const QString error = ErrorOf([&] { WriteFileAtomically(path, QByteArray(1020, 'n')); });
    EXPECT_TRUE(error.contains(QStringLiteral("keep.bin"))) << error.toStdString();
    EXPECT_EQ(Content(path), QByteArray(676, 'k'));
}

TEST(SafeFileTest, InjectedFaultAndThrowingWriterKeepTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.xml"));
    Put(path, "old");
    SetWriteFaultHook([](const QString &) { return false; });
    EXPECT_FALSE(ErrorOf([&] { WriteFileAtomically(path, QByteArray("new")); }).isEmpty());
    SetWriteFaultHook(nullptr);
    EXPECT_FALSE(ErrorOf([&] {
                     WriteFileAtomically(path, [](QIODevice &device) {
                         device.write("partial");
                         throw EError(QStringLiteral("stop"));
                     });
                 }).isEmpty());
    EXPECT_EQ(Content(path), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST(SafeFileTest, SpecialTargetsAreNeverReplaced)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit(), 0600), 0);
    EXPECT_FALSE(ErrorOf([&] { WriteFileAtomically(fifo, QByteArray("x")); }).isEmpty());
    EXPECT_FALSE(QFileInfo(fifo).isFile());
    EXPECT_FALSE(ErrorOf([&] { WriteFileAtomically(QStringLiteral("/dev/null"), QByteArray("x")); }).isEmpty());
    EXPECT_FALSE(QFileInfo(QStringLiteral("/dev/null")).isFile());
    EXPECT_FALSE(ErrorOf([&] { WriteFileAtomically(dir.path(), QByteArray("x")); }).isEmpty());
}

TEST(SafeFileTest, WritingThroughALinkKeepsTheLink)
{
    QTemporaryDir dir;
    const QString real = dir.filePath(QStringLiteral("real.xml"));
    const QString link = dir.filePath(QStringLiteral("link.xml"));
    Put(real, "old");
    ASSERT_TRUE(QFile::link(real, link));
    WriteFileAtomically(link, QByteArray("new"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(Content(real), "new");
}

TEST(SafeFileTest, BoundedReadRefusesSpecialAndHugeFiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.bin"));
    Put(path, "12345");
    EXPECT_EQ(ReadFileBounded(path, 5), "12345");
    EXPECT_TRUE(ErrorOf([&] { ReadFileBounded(path, 4); }).contains(QStringLiteral("слишком велик")));

    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit(), 0600), 0);
    EXPECT_FALSE(ErrorOf([&] { ReadFileBounded(fifo, 100); }).isEmpty()); // returns, never blocks
    EXPECT_FALSE(ErrorOf([&] { ReadFileBounded(QStringLiteral("/dev/zero"), 100); }).isEmpty());
    EXPECT_FALSE(ErrorOf([&] { ReadFileBounded(dir.filePath(QStringLiteral("none")), 100); }).isEmpty());

    // A sparse file of 2 GB is refused by its size, without reading it.
    const QString sparse = dir.filePath(QStringLiteral("sparse.xml"));
    {
        QFile file(sparse);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(2ll * 1024 * 1024 * 1024));
    }
    EXPECT_TRUE(ErrorOf([&] { ReadFileBounded(sparse, FileLimits::kLayoutFile); }).contains(QStringLiteral("слишком велик")));
}
