#pragma once

#include <QByteArray>
#include <memory>

class TKeyboards;
class TLayout;
class TLayoutFileFormats;

/// The inputs every benchmark shares, made once per run from the shipped
/// model descriptions: the catalogue, the format registries and the two
/// layouts measured.
class TBenchInputs {
public:
    /// Identifiers of the models of the largest and the typical layout.
    static constexpr int kLargestModel = 3;
    static constexpr int kTypicalModel = 1;

    /// Returns the inputs, made on first use.
    static const TBenchInputs &Get();

    const TKeyboards &Keyboards() const { return *FKeyboards; }
    TLayoutFileFormats &Formats() const { return *FFormats; }
    /// The largest layout: model 15x8, 4 layers, every key with make and
    /// break codes, an 8-note melody, a remark and a picture text, every
    /// fourth key with a small PNG image.
    const TLayout &Largest() const { return *FLargest; }
    /// A typical layout: model 8x8 with codes on every key of two layers.
    const TLayout &Typical() const { return *FTypical; }
    /// The XML bytes of the largest layout.
    const QByteArray &LargestXML() const { return FLargestXML; }

private:
    TBenchInputs();

    std::unique_ptr<TKeyboards> FKeyboards;
    std::unique_ptr<TLayoutFileFormats> FFormats;
    std::unique_ptr<TLayout> FLargest;
    std::unique_ptr<TLayout> FTypical;
    QByteArray FLargestXML;
};
