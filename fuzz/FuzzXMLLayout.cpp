// The XML layout loader: the input is read into a layout of the first
// shipped model. A refused file must leave the layout exactly as it was.

#include "FuzzSupport.h"

#include "catalogue/Keyboards.h"
#include "files/XMLLayout.h"
#include "model/Layout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static TXMLLayout *const format = new TXMLLayout(nullptr, FuzzKeyboards());
    static const QByteArray before = [] {
        TLayout layout;
        layout.ApplyKeyboard(FuzzKeyboards().Item(0));
        return LayoutText(layout);
    }();

    TLayout layout;
    layout.ApplyKeyboard(FuzzKeyboards().Item(0));
    const QByteArray input = FuzzInput(data, size);
    if (Refused([&] { format->LoadFromString(layout, input); }))
        RequireUnchanged(before, layout, input);
    return 0;
}
