#include "files/LayoutFileFormats.h"

#include "base/Error.h"
#include "base/Numbers.h"
#include "files/BinLayoutVariants.h"
#include "files/EMFLayout.h"
#include "files/XMLLayout.h"
#include "files/XMLLayout13.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

TLayoutFileFormats::TLayoutFileFormats(const TKeyboards &keyboards)
    : FKeyboards(keyboards), FFormats(std::make_unique<TLayoutFormats>()),
      FOpenFormats(std::make_unique<TLayoutFormats>())
{
    // The position in a registry is the index file dialogs and device
    // operations choose a format by: the creation order below is the order
    // of TSaveFormat and TOpenFormat.
    FXMLFormat = &Create<TXMLLayout>(*FFormats);
    Create<TXMLLayout13>(*FFormats);
    Create<TBinLayout210>(*FFormats);
    Create<TBinLayout13>(*FFormats);
    Create<TEMFLayout>(*FFormats);
    Create<TBinLayout28>(*FFormats);
    Create<TBinLayout29>(*FFormats);

    // The 2.10 image reader reads the 2.8, 2.9 and 1.3 images as well.
    Create<TXMLLayout>(*FOpenFormats);
    Create<TBinLayout210>(*FOpenFormats);
}

TLayoutFileFormats::~TLayoutFileFormats() = default;

template <typename TFormat> TFormat &TLayoutFileFormats::Create(TLayoutFormats &registry)
{
    auto format = std::make_unique<TFormat>(&registry, FKeyboards);
    TFormat &result = *format;
    FOwned.push_back(std::move(format));
    return result;
}

TLayoutFormat &ChooseFormat(const TLayoutFormats &formats, QStringView choice)
{
    if (const std::optional<int32_t> index = ParseInt(choice))
        return formats.Item(*index);

    QStringList names;
    for (int i = 0; i < formats.Count(); ++i) {
        if (choice.compare(formats.Item(i).ShortName(), Qt::CaseInsensitive) == 0)
            return formats.Item(i);
        names.append(formats.Item(i).ShortName());
    }

    // A file name or a suffix: ".xml" and "out.xml" give "xml".
    const QString suffix = choice.contains(u'.') ? QFileInfo(choice.toString()).suffix() : choice.toString();
    if (!suffix.isEmpty())
        for (int i = 0; i < formats.Count(); ++i)
            if (suffix.compare(formats.Item(i).DefaultSuffix(), Qt::CaseInsensitive) == 0)
                return formats.Item(i);
    throw EError(QCoreApplication::translate("TLayoutFileFormats",
                                             "Неизвестный формат раскладки \"%1\". Допустимы: %2.")
                     .arg(choice, names.join(QStringLiteral(", "))));
}
