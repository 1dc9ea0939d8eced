#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A stand-in "xdg-email" first on PATH (this machine has no mail client): it
// records its arguments and fails with the text of RAVLIN_FAKE_MAIL_FAIL when
// that is set.
class TFakeMailTool {
public:
    // Puts the tool on PATH; false when it cannot be written.
    bool Install()
    {
        FLog = FFolder.filePath(QStringLiteral("mail.log"));
        QFile script(FFolder.filePath(QStringLiteral("xdg-email")));
        if (!script.open(QIODevice::WriteOnly))
            return false;
        script.write(
            "#!/bin/sh\n"
            "for a in \"$@\"; do printf '%s\\0' \"$a\" >> \"$RAVLIN_FAKE_MAIL_LOG\"; done\n"
            "if [ -n \"$RAVLIN_FAKE_MAIL_FAIL\" ]; then echo \"$RAVLIN_FAKE_MAIL_FAIL\" >&2; exit 4; fi\n");
        script.close();
        if (!script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            return false;
        qputenv("PATH", FFolder.path().toLocal8Bit() + ':' + qgetenv("PATH"));
        qputenv("RAVLIN_FAKE_MAIL_LOG", FLog.toLocal8Bit());
        return true;
    }

    // Forgets the last run and lets the next one succeed.
    void Reset()
    {
        QFile::remove(FLog);
        qunsetenv("RAVLIN_FAKE_MAIL_FAIL");
    }

    // The arguments the tool got at its last run; empty when it did not run.
    QStringList Arguments() const
    {
        QFile file(FLog);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList arguments;
        for (const QByteArray &argument : file.readAll().split('\0'))
            arguments << QString::fromUtf8(argument);
        arguments.removeLast();
        return arguments;
    }

private:
    QTemporaryDir FFolder;
    QString FLog;
};
