// The standard code file: its groups are read from bytes and flattened into
// the table the code texts use. A refused file adds no group.

#include "FuzzSupport.h"

#include "codes/CodeSet.h"
#include "codes/CodeTable.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TCodeSet codeSet;
    if (Refused([&] { codeSet.LoadFromBytes(FuzzInput(data, size)); })) {
        if (codeSet.Count() != 0) {
            std::fputs("A refused code file added groups.\n", stderr);
            std::abort();
        }
        return 0;
    }
    TCodeTable table;
    table.BuildFrom(codeSet);
    return 0;
}
