#pragma once

#include "files/BinLayout28.h"

/// The layout image of keyboard program 2.9: the 2.8 image with the marker
/// 0x0209 and the model byte holding the model identifier itself.
class TBinLayout29 : public TBinLayout28 {
public:
    TBinLayout29(TLayoutFormats *formats, const TKeyboards &keyboards);

    /// Returns "Раскладка Ravlin (программа 2.9) (*.bin)|*.bin".
    QString GetFilter() const override;
    /// Returns "bin29".
    QString ShortName() const override;
    void WriteImage(const TLayout &layout, TBinStream &stream) override;
};

/// The layout image of keyboard program 2.10, the form layouts are written to
/// the keyboard in by default: like 2.9, with the marker 0x020A, or 0x0209
/// for a layout of program 2.9. Other versions get 0x020A as well, since a
/// reader takes the model byte as the identifier only after these markers.
class TBinLayout210 : public TBinLayout28 {
public:
    TBinLayout210(TLayoutFormats *formats, const TKeyboards &keyboards);

    /// Returns "Раскладка Ravlin (*.bin)|*.bin".
    QString GetFilter() const override;
    /// Returns "bin".
    QString ShortName() const override;
    void WriteImage(const TLayout &layout, TBinStream &stream) override;

    /// Returns the marker the image of a layout of this version carries.
    static uint16_t MarkerFor(uint16_t version);
};

/// The oldest layout image: flags bytes without bit 6, code lists of 16-bit
/// words holding make codes only, and a short trailer (marker 0x0100, length,
/// groups, model identifier minus 1) without checksum and version. Models of
/// more than 64 keys cannot be written.
class TBinLayout13 : public TBinLayout28 {
public:
    TBinLayout13(TLayoutFormats *formats, const TKeyboards &keyboards);

    /// Returns "Раскладка Ravlin 1.3 (*.bin)|*.bin".
    QString GetFilter() const override;
    /// Returns "bin13".
    QString ShortName() const override;
    /// Returns 0: code lists of the word form.
    uint8_t CodeFormFlag() const override;
    /// Raises "Формат 1.3 не поддерживает клавиатуры сколичеством клавиш
    /// большим 64" before anything is built when K exceeds 64.
    void WriteImage(const TLayout &layout, TBinStream &stream) override;
    /// Appends one code list of the word form: the word count, then a word
    /// per make item of one or two bytes (prefix byte high, code byte low);
    /// break items and other items are left out. Raises EError when the make
    /// codes with the releases the reader adds exceed 255 bytes.
    void WriteCodes(const TScanCodes &codes, TBinStream &stream) override;
};
