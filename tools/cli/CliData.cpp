#include "CliData.h"

#include "catalogue/XMLKeyboard.h"
#include "codes/CodeSet.h"
#include "codes/CodeTable.h"

void LoadCatalogue(TCliContext &context, TKeyboards &keyboards)
{
    TXMLKeyboard loader;
    loader.LoadFolder(context.DataFolder + QStringLiteral("/Клавиатуры"), keyboards,
                      [&](const QString &fileName, const QString &message) {
                          context.Err << SkippedFileMessage(fileName, message) << '\n';
                      });
}

std::unique_ptr<TCodeTable> LoadCodeTable(const TCliContext &context)
{
    TCodeSet codeSet;
    codeSet.Load(context.DataFolder);
    auto table = std::make_unique<TCodeTable>();
    table->BuildFrom(codeSet);
    return table;
}
