#include "files/LayoutFileFormats.h"

#include "base/Error.h"
#include "base/Numbers.h"
#include "files/XMLLayout.h"

#include <QFileInfo>

TLayoutFileFormats::TLayoutFileFormats(const TKeyboards &keyboards)
    : FKeyboards(keyboards), FFormats(std::make_unique<TLayoutFormats>()),
      FOpenFormats(std::make_unique<TLayoutFormats>())
{
    // The position in a registry is the index file dialogs and device
    // operations choose a format by: the creation order below is that order
    // (see KnownFormats).
    FXMLFormat = &Create<TXMLLayout>(*FFormats);

    Create<TXMLLayout>(*FOpenFormats);
}

TLayoutFileFormats::~TLayoutFileFormats() = default;

template <typename TFormat> TFormat &TLayoutFileFormats::Create(TLayoutFormats &registry)
{
    auto format = std::make_unique<TFormat>(&registry, FKeyboards);
    TFormat &result = *format;
    FOwned.push_back(std::move(format));
    return result;
}

const std::vector<TLayoutFormatInfo> &TLayoutFileFormats::KnownFormats()
{
    static const std::vector<TLayoutFormatInfo> formats = {
        {QStringLiteral("xml"), QStringLiteral("xml"), 0, 0},
        {QStringLiteral("xml13"), QStringLiteral("xml"), 1, -1},
        {QStringLiteral("bin"), QStringLiteral("bin"), 2, 1},
        {QStringLiteral("bin13"), QStringLiteral("bin"), 3, -1},
        {QStringLiteral("emf"), QStringLiteral("emf"), 4, -1},
        {QStringLiteral("bin28"), QStringLiteral("bin"), 5, -1},
        {QStringLiteral("bin29"), QStringLiteral("bin"), 6, -1},
    };
    return formats;
}

namespace {

[[noreturn]] void RaiseNotYetSupported(QStringView name)
{
    throw EError(QStringLiteral("Формат %1 ещё не поддерживается.").arg(name));
}

} // namespace

TLayoutFormat &ChooseFormat(const TLayoutFormats &formats, QStringView choice)
{
    if (const std::optional<int32_t> index = ParseInt(choice))
        return formats.Item(*index);

    for (int i = 0; i < formats.Count(); ++i)
        if (choice.compare(formats.Item(i).ShortName(), Qt::CaseInsensitive) == 0)
            return formats.Item(i);
    for (const TLayoutFormatInfo &info : TLayoutFileFormats::KnownFormats())
        if (choice.compare(info.ShortName, Qt::CaseInsensitive) == 0)
            RaiseNotYetSupported(info.ShortName);

    // A file name or a suffix: ".xml" and "out.xml" give "xml".
    const QString suffix = choice.contains(u'.') ? QFileInfo(choice.toString()).suffix() : choice.toString();
    if (!suffix.isEmpty()) {
        for (int i = 0; i < formats.Count(); ++i)
            if (suffix.compare(formats.Item(i).DefaultSuffix(), Qt::CaseInsensitive) == 0)
                return formats.Item(i);
        for (const TLayoutFormatInfo &info : TLayoutFileFormats::KnownFormats())
            if (suffix.compare(info.Suffix, Qt::CaseInsensitive) == 0)
                RaiseNotYetSupported(info.ShortName);
    }
    throw EError(QStringLiteral("Неизвестный формат раскладки \"%1\".").arg(choice));
}
