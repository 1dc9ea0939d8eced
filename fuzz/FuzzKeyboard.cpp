// Keyboard model descriptions: one description file read from bytes. A
// refused file leaves the description it was read into empty.

#include "FuzzSupport.h"

#include "catalogue/Keyboards.h"
#include "catalogue/XMLKeyboard.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static TXMLKeyboard *const loader = new TXMLKeyboard;
    TKeyboard keyboard;
    if (Refused([&] { loader->LoadFromBytes(FuzzInput(data, size), keyboard); }) &&
        (keyboard.KeyCount() != 0 || keyboard.ID != 0 || !keyboard.Name.isEmpty())) {
        std::fputs("A refused description changed the keyboard.\n", stderr);
        std::abort();
    }
    return 0;
}
