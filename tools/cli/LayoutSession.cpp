#include "LayoutSession.h"
#include "CliData.h"

#include "base/Error.h"
#include "base/Numbers.h"
#include "codes/CodeTable.h"
#include "codes/StdCodes.h"
#include "files/LayoutFormat.h"
#include "model/Layout.h"

TLayoutSession::TLayoutSession(TCliContext &context) : FContext(context)
{
    LoadCatalogue(context, FKeyboards);
    InstallStdCodeTable(LoadCodeTable(context));
    FFormats = std::make_unique<TLayoutFileFormats>(FKeyboards);
}

std::unique_ptr<TLayout> TLayoutSession::Open(const QString &path, TLayoutFormat **format)
{
    TLayoutFormat &chosen =
        ChooseFormat(FFormats->OpenFormats(), FContext.Args.Value(QStringLiteral("in-format"), path));
    auto layout = std::make_unique<TLayout>();
    chosen.LoadFromFile(*layout, path);
    if (format)
        *format = &chosen;
    return layout;
}

void TLayoutSession::Save(TLayout &layout, const QString &path)
{
    ChooseFormat(FFormats->Formats(), FContext.Args.Value(QStringLiteral("format"), path)).SaveToFile(layout, path);
}

namespace {

[[noreturn]] void RaiseBadLayer(const QString &text)
{
    throw EError(TLayoutSession::tr("Неверный номер слоя: %1").arg(text));
}

} // namespace

int TLayoutSession::Layer() const
{
    const QString text = FContext.Args.Value(QStringLiteral("layer"));
    if (text.isEmpty())
        return 0;
    const int layer = StrToInt(text);
    if (layer < 1)
        RaiseBadLayer(text);
    return layer;
}

int TLayoutSession::LayerIndex(const TLayout &layout) const
{
    const int layer = Layer();
    if (layer > layout.LayerCount())
        RaiseBadLayer(FContext.Args.Value(QStringLiteral("layer")));
    return layer == 0 ? 0 : layer - 1;
}
