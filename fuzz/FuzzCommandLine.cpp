// The command line of driver installation: the input is UTF-8 text, one
// argument per line, the program first.

#include "FuzzSupport.h"

#include "device/DriverInstall.h"

#include <QString>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList arguments = QString::fromUtf8(FuzzInput(data, size)).split(u'\n');
    TCommandLineResult result;
    Refused([&] { CheckCommandLine(arguments, &result); });
    return 0;
}
