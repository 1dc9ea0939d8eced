#include "CliCommands.h"
#include "CliData.h"

#include "base/HexText.h"
#include "catalogue/Keyboards.h"
#include "codes/CodeTable.h"

namespace {

int ListModels(TCliContext &context)
{
    TKeyboards keyboards;
    LoadCatalogue(context, keyboards);
    for (int i = 0; i < keyboards.Count(); ++i) {
        const TKeyboard &k = keyboards.Item(i);
        context.Out << k.ID << '\t' << k.Model << '\t' << k.Name << '\t' << k.ClassName << '\t' << k.Width
                    << '\t' << k.Height << '\t' << k.Layers << '\t' << k.KeyCount() << '\t' << k.MaxKeysNum
                    << '\n';
    }
    return ecSuccess;
}

int ListCodes(TCliContext &context)
{
    const auto table = LoadCodeTable(context);
    for (int i = 0; i < table->Count(); ++i) {
        const TStdCode &code = table->Item(i);
        context.Out << code.Name << '\t' << BytesToHex(code.MakeCode) << '\t' << BytesToHex(code.BreakCode)
                    << '\t' << BytesToHex(code.ScanCode) << '\n';
    }
    return ecSuccess;
}

} // namespace

void AddCatalogueCommands(std::vector<TCliCommand> &commands)
{
    commands.push_back({QStringLiteral("models"), {},
                        QT_TRANSLATE_NOOP("CliCommands", "модели клавиатур: ID, Model, Name, ClassName, Width, "
                                                         "Height, Layers, число клавиш, MaxKeysNum"),
                        0, 0, ListModels});
    commands.push_back({QStringLiteral("codes"), {},
                        QT_TRANSLATE_NOOP("CliCommands",
                                          "стандартные коды клавиш: имя, код нажатия, код отжатия, скан-код"),
                        0, 0, ListCodes});
}
