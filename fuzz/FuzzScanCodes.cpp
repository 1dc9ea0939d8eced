// Code sequences: the input as the text the user types (UTF-8), then the
// same bytes as a device image carries them, split into items, and as
// little-endian 16-bit codes.

#include "FuzzSupport.h"

#include "model/ScanCodes.h"

#include <QString>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = FuzzInput(data, size);

    TScanCodes text;
    Refused([&] {
        text.SetText(QString::fromUtf8(input));
        text.Validate();
        text.ShortText();
        TScanCodes copy;
        copy.SetText(text.Text());
    });

    TScanCodes decoded;
    Refused([&] { decoded.AddDecoded(input); });

    TScanCodes words;
    Refused([&] {
        for (qsizetype i = 0; i + 1 < input.size(); i += 2)
            words.AddCode16(uint16_t(uint8_t(input[i]) | uint8_t(input[i + 1]) << 8));
    });
    return 0;
}
