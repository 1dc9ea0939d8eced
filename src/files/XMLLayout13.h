#pragma once

#include "files/LayoutFormat.h"

/// The XML layout file in the form of the program's version 1.3, for users of
/// older tools: no version attribute, the keyboard model as identifier minus
/// one, codes as lists of "СканКод" elements holding make codes only, no key
/// pictures and no empty keys. It only saves; the current XML format reads
/// such files as files without a version.
class TXMLLayout13 : public TLayoutFormat {
public:
    TXMLLayout13(TLayoutFormats *formats, const TKeyboards &keyboards);

    /// Returns "Раскладка Ravlin 1.3 (*.xml)|*.xml".
    QString GetFilter() const override;
    /// Returns "xml13".
    QString ShortName() const override;
    /// Returns "xml".
    QString DefaultSuffix() const override;
    /// Writes the layout's elements in the 1.3 form (no style-sheet line).
    void SaveToStream(const TLayout &layout, QIODevice &stream) override;
    QByteArray SaveToString(const TLayout &layout) override;
};
