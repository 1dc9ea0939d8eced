#include "device/DeviceLock.h"

#include "base/Error.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QRegularExpression>
#include <QThread>

#ifndef Q_OS_WIN
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

// How often a taken lock is tried again while waiting.
constexpr int kRetryMs = 50;
// The readable part of a lock file's name.
constexpr qsizetype kNameChars = 40;

QString RuntimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

} // namespace

QString TDeviceLock::FileName(const QString &deviceKey)
{
    // The key's readable part tells a person whose lock it is; its hash keeps
    // devices with similar names apart.
    static const QRegularExpression unsafe(QStringLiteral("[^\\w.-]+"));
    const QString readable = QString(deviceKey).replace(unsafe, QStringLiteral("_")).left(kNameChars);
    const QByteArray hash = QCryptographicHash::hash(deviceKey.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return QDir(RuntimeFolder()).filePath(QStringLiteral("ravlin-%1-%2.lock").arg(readable, QString::fromLatin1(hash)));
}

#ifdef Q_OS_WIN

TDeviceLock::TDeviceLock(const QString &, int)
{
    // Windows opens the driver device without sharing: a second program
    // cannot reach the keyboard at all.
}

TDeviceLock::~TDeviceLock() = default;

#else

TDeviceLock::TDeviceLock(const QString &deviceKey, int waitMs)
{
    const QString fileName = FileName(deviceKey);
    // Read-only is enough for flock and lets users share one keyboard's lock
    // file; a link planted at the name is not followed.
    FHandle = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (FHandle < 0)
        throw EError(QCoreApplication::translate("TDeviceLock",
                                                 "Не удалось открыть файл блокировки клавиатуры \"%1\": %2")
                         .arg(fileName, QString::fromLocal8Bit(std::strerror(errno))));
    const QDeadlineTimer deadline(waitMs);
    while (::flock(FHandle, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            const QString reason = QString::fromLocal8Bit(std::strerror(errno));
            ::close(FHandle);
            throw EError(
                QCoreApplication::translate("TDeviceLock", "Не удалось заблокировать клавиатуру (\"%1\"): %2")
                    .arg(fileName, reason));
        }
        if (deadline.hasExpired()) {
            ::close(FHandle);
            throw EError(QCoreApplication::translate(
                "TDeviceLock", "Клавиатура занята другой программой.\nПовторите операцию, "
                               "когда та закончит работу с клавиатурой."));
        }
        QThread::msleep(kRetryMs);
    }
}

TDeviceLock::~TDeviceLock()
{
    // Closing the file releases the lock.
    ::close(FHandle);
}

#endif
