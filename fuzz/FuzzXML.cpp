// The XML reader: any bytes either read into a document or raise EXMLError.
// A document that was read must also write, and what it writes is read
// again (the reader's leniency lets a tree hold what the writer cannot
// spell, so the second reading may differ or refuse).

#include "FuzzSupport.h"

#include "xml/ECXMLParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TECXMLParser parser;
    if (Refused([&] { parser.LoadFromBytes(FuzzInput(data, size)); }))
        return 0;
    const QByteArray written = parser.SaveToBytes();
    TECXMLParser reread;
    Refused([&] { reread.LoadFromBytes(written); });
    return 0;
}
