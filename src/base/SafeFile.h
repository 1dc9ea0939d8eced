#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;

/// Every file the program writes goes through WriteFileAtomically, every file
/// it reads whole through ReadFileBounded: a write replaces the target only
/// once the new content is completely on disk, and a read never hangs on a
/// FIFO nor swallows a device or a huge file.

/// Limits of what the program reads, in bytes.
namespace FileLimits {
/// Layout files (XML and images); the largest real layout is a few MB.
inline constexpr qint64 kLayoutFile = 256ll * 1024 * 1024;
/// Device images and keyboard program files.
inline constexpr qint64 kDeviceImage = 66560;
/// Settings files.
inline constexpr qint64 kSettingsFile = 4ll * 1024 * 1024;
/// Pictures the user loads into a key.
inline constexpr qint64 kPictureFile = 64ll * 1024 * 1024;
} // namespace FileLimits

/// Writes content to path through a temporary file beside it that replaces
/// the target only when every byte was written and synced; a failure leaves
/// the old file as it was. write fills the temporary file (unbuffered, so
/// each write reports its own error); it may throw, which discards the
/// temporary file. An existing target that is not a regular file (a device,
/// a FIFO, a folder) is refused. Raises EError naming the file and the
/// system's reason.
void WriteFileAtomically(const QString &path, const std::function<void(QIODevice &)> &write);
/// The same for bytes already in memory.
void WriteFileAtomically(const QString &path, const QByteArray &bytes);

/// Returns the whole content of the regular file path. Refuses (EError) what
/// is not a regular file and files larger than maxSize, before reading.
QByteArray ReadFileBounded(const QString &path, qint64 maxSize);

/// Writes bytes to an open device and raises EError (naming fileName and the
/// device's error) unless all of them were written.
void WriteAll(QIODevice &device, const QByteArray &bytes, const QString &fileName);

/// Test hook: when set, WriteFileAtomically calls it with the path before
/// committing, and a false result fails the save as a full disk would.
/// Tests use it where they cannot fill a real file system.
void SetWriteFaultHook(std::function<bool(const QString &path)> hook);
