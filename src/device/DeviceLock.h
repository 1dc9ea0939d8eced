#pragma once

#include <QString>

/// Exclusive use of one keyboard across processes: two programs writing the
/// same keyboard at once would interleave their blocks and mode switches. The
/// lock is an advisory lock on a file in the per-user runtime folder
/// ($XDG_RUNTIME_DIR, else the temporary folder) named after the device; the
/// system releases it when the process ends, however it ends.
class TDeviceLock {
public:
    /// Takes the lock of the device that deviceKey names, waiting up to
    /// waitMs for another program to release it. Raises EError "Клавиатура
    /// занята другой программой..." when it stays taken, and EError with the
    /// file's name when the lock file cannot be opened.
    TDeviceLock(const QString &deviceKey, int waitMs);
    /// Releases the lock.
    ~TDeviceLock();
    TDeviceLock(const TDeviceLock &) = delete;
    TDeviceLock &operator=(const TDeviceLock &) = delete;

    /// Returns the lock file of the device that deviceKey names.
    static QString FileName(const QString &deviceKey);

private:
    int FHandle = -1;
};
