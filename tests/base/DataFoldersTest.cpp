#include "base/DataFolders.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Where a program finds its shipped data: beside itself in a portable folder,
// in ../share/ravlin when installed.
TEST(DataFoldersTest, PortableFolderFirstThenInstalledShareFolder)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    QDir dir(root.path());
    const QString bin = root.filePath(QStringLiteral("usr/bin"));
    ASSERT_TRUE(dir.mkpath(QStringLiteral("usr/bin")));

    // Nothing anywhere: the program's folder, where the error messages will
    // then name the missing catalogue.
    EXPECT_EQ(ProgramDataFolder(bin), bin);

    ASSERT_TRUE(dir.mkpath(QStringLiteral("usr/share/ravlin/Клавиатуры")));
    EXPECT_EQ(ProgramDataFolder(bin), root.filePath(QStringLiteral("usr/share/ravlin")));
    // A trailing separator or a relative step in the program's folder gives
    // the same clean path.
    EXPECT_EQ(ProgramDataFolder(bin + QStringLiteral("/../bin/")),
              root.filePath(QStringLiteral("usr/share/ravlin")));

    // A catalogue beside the program wins over an installed one.
    ASSERT_TRUE(dir.mkpath(QStringLiteral("usr/bin/Клавиатуры")));
    EXPECT_EQ(ProgramDataFolder(bin), bin);
}
