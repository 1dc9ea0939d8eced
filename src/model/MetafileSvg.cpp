#include "model/MetafileSvg.h"

#include <emf2svg.h>

#include <cstdlib>
#include <memory>

std::optional<QByteArray> MetafileToSvg(const QByteArray &metafile)
{
    if (metafile.isEmpty())
        return std::nullopt;
    // The converter takes a mutable buffer, so it gets a copy of its own.
    QByteArray input = metafile;
    char *output = nullptr;
    size_t outputLength = 0;
    generatorOptions options{};
    options.svgDelimiter = true;
    const int ok = emf2svg(input.data(), size_t(input.size()), &output, &outputLength, &options);
    const std::unique_ptr<char, decltype(&std::free)> owned(output, &std::free);
    if (ok != 1 || output == nullptr || outputLength == 0)
        return std::nullopt;
    return QByteArray(output, qsizetype(outputLength));
}
