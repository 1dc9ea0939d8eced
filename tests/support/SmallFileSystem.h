#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <sys/mount.h>

// A tmpfs of 16 KiB mounted on a temporary folder, so that writes run out of
// space for real. Mounting needs root; tests that use it skip elsewhere.
class SmallFileSystem {
public:
    SmallFileSystem() { Mounted = ::mount("tmpfs", Dir.path().toLocal8Bit(), "tmpfs", 0, "size=16k") == 0; }
    ~SmallFileSystem()
    {
        if (Mounted)
            ::umount(Dir.path().toLocal8Bit());
    }
    SmallFileSystem(const SmallFileSystem &) = delete;
    SmallFileSystem &operator=(const SmallFileSystem &) = delete;

    QString Path(const char *name) const { return Dir.filePath(QString::fromUtf8(name)); }
    // Writes a filler file until the file system has no block left.
    void Fill() const
    {
        QFile filler(Path("filler"));
        filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        const QByteArray block(1024, 'x');
        while (filler.write(block) == block.size()) {
        }
    }

    QTemporaryDir Dir;
    bool Mounted = false;
};

// The reason a test that needs SmallFileSystem gives when it skips.
inline constexpr const char *kNoSmallFileSystem = "mounting a 16 KiB tmpfs needs root";
