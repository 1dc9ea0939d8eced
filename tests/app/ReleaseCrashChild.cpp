#include "release/CrashReport.h"

#include <QApplication>
#include <csignal>
#include <cstdlib>
#include <sys/resource.h>

// ReleaseCrashChild REPORT FAULT: installs the editor's crash handler with
// REPORT as its file, then crashes by FAULT: "null" writes through a null
// pointer, "overflow" recurses until the stack is gone, "abort" aborts,
// "fpe" raises SIGFPE. The crash report test runs it and reads the report.

namespace {

// Recurses until the stack overflows; the volatile block keeps the compiler
// from turning the recursion into a loop.
int Recurse(int depth)
{
    volatile char block[1024];
    block[0] = char(depth);
    return depth == -1 ? 0 : Recurse(depth + 1) + block[0];
}

// Writes through a null pointer: a real memory fault, not a raised signal.
// The sanitizers would stop the program first, so they look away here.
__attribute__((no_sanitize("address", "undefined"))) void WriteThroughNull()
{
    volatile int *volatile pointer = nullptr;
    *pointer = 1;
}

} // namespace

int main(int argc, char **argv)
{
    // The crashes are intended: no core files.
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Ravlin"));
    if (argc != 3)
        return 2;
    CrashReport::Install(QString::fromLocal8Bit(argv[1]));
    const QByteArray fault = argv[2];
    if (fault == "null")
        WriteThroughNull();
    else if (fault == "overflow")
        return Recurse(0);
    else if (fault == "abort")
        std::abort();
    else if (fault == "fpe")
        std::raise(SIGFPE);
    return 0;
}
