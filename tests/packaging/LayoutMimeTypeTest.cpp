#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The file type the package installs. Layout files are named *.xml like any
// XML file, so the desktop must tell them by content. The test builds the
// MIME database an installed system has (the shared types and ours, in one
// cache) and asks Qt and, where it is installed, GLib's "gio": file managers
// use one or the other, and their rules for a name two types claim differ.
TEST(LayoutMimeTypeTest, LayoutFilesAreToldFromOtherXmlByTheirRootElement)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    const QString shared = QStringLiteral("/usr/share/mime/packages/freedesktop.org.xml");
    if (tool.isEmpty() || !QFileInfo::exists(shared))
        GTEST_SKIP() << "shared-mime-info is not installed";
    QTemporaryDir share;
    const QString packages = share.filePath(QStringLiteral("mime/packages"));
    ASSERT_TRUE(QDir().mkpath(packages));
    ASSERT_TRUE(QFile::copy(shared, packages + QStringLiteral("/freedesktop.org.xml")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(RAVLIN_MIME_XML), packages + QStringLiteral("/ravlin.xml")));
    QProcess update;
    update.start(tool, {share.filePath(QStringLiteral("mime"))});
    ASSERT_TRUE(update.waitForFinished(60000));
    ASSERT_EQ(update.exitCode(), 0) << update.readAllStandardError().toStdString();
    // Read once, at the database's first use: this database alone.
    qputenv("XDG_DATA_DIRS", QFile::encodeName(share.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(share.filePath(QStringLiteral("none"))));

    const QMimeDatabase database;
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    // Returns the type both give, or both answers when they differ.
    const auto typeOf = [&database, &gio](const QString &fileName) {
        const QString byQt = database.mimeTypeForFile(fileName).name();
        if (gio.isEmpty())
            return byQt;
        QProcess info;
        info.start(gio, {QStringLiteral("info"), QStringLiteral("-a"),
                         QStringLiteral("standard::content-type"), fileName});
        info.waitForFinished(30000);
        const QString byGio = QString::fromUtf8(info.readAllStandardOutput())
                                  .section(QStringLiteral("content-type: "), 1)
                                  .trimmed();
        return byGio == byQt ? byQt : QStringLiteral("Qt: %1, gio: %2").arg(byQt, byGio);
    };
    const QString layout = QStringLiteral("application/x-ravlin-layout");
    EXPECT_EQ(typeOf(QStringLiteral(RAVLIN_TEST_DATA_DIR "/files/small_layout.xml")), layout);
    EXPECT_EQ(typeOf(QStringLiteral(RAVLIN_TEST_DATA_DIR "/files/version_0208.xml")), layout);
    // A model description is XML in the same code page with another root;
    // it stays plain XML, as does any other XML file.
    EXPECT_EQ(typeOf(QStringLiteral(RAVLIN_DATA_DIR "/Клавиатуры/KP_64.xml")),
              QStringLiteral("application/xml"));
    // Whatever opens XML also offers to open layouts.
    EXPECT_TRUE(database.mimeTypeForName(layout).inherits(QStringLiteral("application/xml")));
}
