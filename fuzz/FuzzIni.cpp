// The INI reader: the input is read as file bytes, every key is read back
// and one is written. Bytes the store writes must read back to a store that
// writes the same bytes.

#include "FuzzSupport.h"

#include "settings/IniFile.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Refused([&] {
        TIniFile ini;
        ini.FromBytes(FuzzInput(data, size));
        const QStringList sections = ini.SectionNames();
        for (const QString &section : sections)
            for (const QString &key : ini.KeyNames(section))
                ini.ReadInteger(section, key, 0);
        const QString section = sections.value(0, QStringLiteral("Fuzz"));
        ini.WriteString(section, QStringLiteral("Key"), QStringLiteral("Значение"));

        const QByteArray written = ini.ToBytes();
        TIniFile reread;
        reread.FromBytes(written);
        if (reread.ToBytes() != written) {
            std::fputs("Written INI bytes do not read back to themselves.\n", stderr);
            std::abort();
        }
    });
    return 0;
}
