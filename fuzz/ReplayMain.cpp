// Replays inputs through a fuzz target without the fuzzer: every file named
// on the command line, and every file below a named folder (in name order),
// is fed to the target once. A file ending in ".hex" holds a binary input as
// hexadecimal text (upper-case digit pairs, any other character separates),
// so that binary inputs can be kept as text. The replay succeeds when every
// input was read; a target finding ends it as the fuzzer would.

#include "base/HexText.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

QStringList InputFiles(const QString &path)
{
    if (!QFileInfo(path).isDir())
        return {path};
    QStringList files;
    QDirIterator it(path, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    return files;
}

bool Replay(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(fileName));
        return false;
    }
    QByteArray input = file.readAll();
    if (fileName.endsWith(QStringLiteral(".hex")))
        input = HexToBytes(QString::fromLatin1(input));
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(input.constData()), size_t(input.size()));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    LLVMFuzzerInitialize(&argc, &argv);
    int replayed = 0;
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        for (const QString &fileName : InputFiles(QString::fromLocal8Bit(argv[i]))) {
            ok = Replay(fileName) && ok;
            ++replayed;
        }
    }
    std::printf("replayed %d inputs\n", replayed);
    return ok ? 0 : 1;
}
