// The device image reader, shared by the images of programs 2.8, 2.9, 2.10
// and 1.3: the first input byte picks the shipped model the layout starts
// on, the rest is the image. A refused image must leave the layout exactly
// as it was.

#include "FuzzSupport.h"

#include "catalogue/Keyboards.h"
#include "files/BinLayoutVariants.h"
#include "model/Layout.h"

#include <map>

namespace {

const TKeyboard &ModelOf(uint8_t choice)
{
    const TKeyboards &keyboards = FuzzKeyboards();
    return keyboards.Item(choice % keyboards.Count());
}

// The XML text of a fresh layout of each model, made once.
const QByteArray &TextBefore(const TKeyboard &model)
{
    static std::map<const TKeyboard *, QByteArray> texts;
    auto found = texts.find(&model);
    if (found == texts.end()) {
        TLayout layout;
        layout.ApplyKeyboard(model);
        found = texts.emplace(&model, LayoutText(layout)).first;
    }
    return found->second;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    static TBinLayout210 *const format = new TBinLayout210(nullptr, FuzzKeyboards());
    const TKeyboard &model = ModelOf(data[0]);
    TLayout layout;
    layout.ApplyKeyboard(model);
    const QByteArray image = FuzzInput(data + 1, size - 1);
    if (Refused([&] { format->LoadFromString(layout, image); }))
        RequireUnchanged(TextBefore(model), layout, image);
    return 0;
}
