#pragma once

#include <QByteArray>
#include <optional>

/// Returns the SVG document that plays an enhanced metafile, or nothing when
/// the bytes are no metafile the converter can read. Key pictures draw their
/// metafile graphics through it as vector drawings.
std::optional<QByteArray> MetafileToSvg(const QByteArray &metafile);
