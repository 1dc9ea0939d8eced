#pragma once

#include "files/LayoutFormat.h"

/// The layout's picture (the key caps of the first layer) as a Windows
/// enhanced metafile, for documents and office programs. It only saves.
class TEMFLayout : public TLayoutFormat {
public:
    TEMFLayout(TLayoutFormats *formats, const TKeyboards &keyboards);

    /// Returns "Раскладка в формате EMF (*.emf)|*.emf".
    QString GetFilter() const override;
    /// Returns "emf".
    QString ShortName() const override;
    /// Returns "emf".
    QString DefaultSuffix() const override;
    /// Draws the layout on a metafile of the reference surface with cells of
    /// half an inch and gaps of 0.3 inch, and writes the metafile. Raises the
    /// drawing's errors; nothing is written then.
    void SaveToStream(const TLayout &layout, QIODevice &stream) override;
};
