#include "base/SafeFile.h"

#include "base/Error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

std::function<bool(const QString &)> &WriteFaultHook()
{
    static std::function<bool(const QString &)> hook;
    return hook;
}

QString Shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

EError WriteError(const QString &path, const QString &reason)
{
    return EError(QCoreApplication::translate("SafeFile", "Не удалось записать файл \"%1\": %2")
                      .arg(Shown(path), reason));
}

// A path that exists and is not a regular file (after following links) is
// never replaced: renaming over /dev/null or a FIFO would destroy it.
void RefuseSpecialTarget(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        throw EError(QCoreApplication::translate(
                         "SafeFile", "Файл \"%1\" не является обычным файлом; запись в него невозможна.")
                         .arg(Shown(path)));
}

} // namespace

void WriteAll(QIODevice &device, const QByteArray &bytes, const QString &fileName)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = device.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            throw WriteError(fileName, device.errorString());
        done += n;
    }
}

void WriteFileAtomically(const QString &path, const std::function<void(QIODevice &)> &write)
{
    RefuseSpecialTarget(path);
    // A symbolic link stays a link: the new content replaces the file it
    // points to.
    const QString target = QFileInfo(path).isSymLink() ? QFileInfo(path).canonicalFilePath() : path;
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw EError(QCoreApplication::translate("SafeFile", "Не удалось создать файл \"%1\": %2")
                         .arg(Shown(path), file.errorString()));
    write(file);
    if (file.error() != QFileDevice::NoError)
        throw WriteError(path, file.errorString());
    if (const auto &hook = WriteFaultHook(); hook && !hook(path)) {
        file.cancelWriting();
        throw WriteError(path, QStringLiteral("No space left on device"));
    }
    if (!file.commit())
        throw WriteError(path, file.errorString());
}

void WriteFileAtomically(const QString &path, const QByteArray &bytes)
{
    WriteFileAtomically(path, [&](QIODevice &device) { WriteAll(device, bytes, path); });
}

QByteArray ReadFileBounded(const QString &path, qint64 maxSize)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw EError(QCoreApplication::translate("SafeFile",
                                                 "Не удалось открыть файл \"%1\": No such file or directory")
                         .arg(Shown(path)));
    if (!info.isFile())
        throw EError(QCoreApplication::translate("SafeFile", "Файл \"%1\" не является обычным файлом.")
                         .arg(Shown(path)));
    if (info.size() > maxSize)
        throw EError(QCoreApplication::translate("SafeFile",
                                                 "Файл \"%1\" слишком велик: %2 байт, допустимо не более %3.")
                         .arg(Shown(path))
                         .arg(info.size())
                         .arg(maxSize));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EError(QCoreApplication::translate("SafeFile", "Не удалось открыть файл \"%1\": %2")
                         .arg(Shown(path), file.errorString()));
    // The file may have grown since it was measured: read one byte past the
    // limit to notice that instead of trusting the size.
    QByteArray bytes = file.read(info.size() + 1);
    if (file.error() != QFileDevice::NoError)
        throw EError(QCoreApplication::translate("SafeFile", "Не удалось прочитать файл \"%1\": %2")
                         .arg(Shown(path), file.errorString()));
    if (bytes.size() > maxSize)
        throw EError(
            QCoreApplication::translate("SafeFile", "Файл \"%1\" слишком велик: допустимо не более %2 байт.")
                .arg(Shown(path))
                .arg(maxSize));
    return bytes;
}

void SetWriteFaultHook(std::function<bool(const QString &)> hook)
{
    WriteFaultHook() = std::move(hook);
}
