#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

// Runs the real command-line tool of the build.

struct TRun {
    int ExitCode = -1;
    QString Out;
    QString Err;
    QStringList Lines() const { return Out.split(u'\n', Qt::SkipEmptyParts); }
};

// The per-user data folder of every run of the tool (where its layout
// backups go), private to the test program.
inline QString TestDataHome()
{
    static const QTemporaryDir dir;
    return dir.path();
}

// prepare may redirect the process's output or limit it before it starts.
inline TRun Ravlin(const QStringList &args, const std::function<void(QProcess &)> &prepare = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), TestDataHome());
    process.setProcessEnvironment(environment);
    if (prepare)
        prepare(process);
    process.start(QStringLiteral(RAVLIN_BIN_DIR "/ravlin"), args);
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
