#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

// Runs the real command-line tool of the build.

struct TRun {
    int ExitCode = -1;
    QString Out;
    QString Err;
    QStringList Lines() const { return Out.split(u'\n', Qt::SkipEmptyParts); }
};

inline TRun Ravlin(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(RAVLIN_BIN_DIR "/ravlin"), args);
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
