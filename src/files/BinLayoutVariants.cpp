#include "files/BinLayoutVariants.h"

#include "base/Error.h"
#include "files/BinStream.h"
#include "files/CodeWords.h"
#include "model/Layout.h"
#include "model/ScanCodes.h"

#include <QCoreApplication>
#include <vector>

TBinLayout29::TBinLayout29(TLayoutFormats *formats, const TKeyboards &keyboards)
    : TBinLayout28(formats, keyboards)
{}

QString TBinLayout29::GetFilter() const
{
    return QCoreApplication::translate("TBinLayout29", "Раскладка Ravlin (программа 2.9) (*.bin)") +
           QStringLiteral("|*.bin");
}

QString TBinLayout29::ShortName() const
{
    return QStringLiteral("bin29");
}

void TBinLayout29::WriteImage(const TLayout &layout, TBinStream &stream)
{
    WriteShapedImage(layout, {0x0209, true, 0}, stream);
}

TBinLayout210::TBinLayout210(TLayoutFormats *formats, const TKeyboards &keyboards)
    : TBinLayout28(formats, keyboards)
{}

QString TBinLayout210::GetFilter() const
{
    return QCoreApplication::translate("TBinLayout210", "Раскладка Ravlin (*.bin)") +
           QStringLiteral("|*.bin");
}

QString TBinLayout210::ShortName() const
{
    return QStringLiteral("bin");
}

uint16_t TBinLayout210::MarkerFor(uint16_t version)
{
    return version == 0x0209 || version == 0x020A ? version : uint16_t(0x020A);
}

void TBinLayout210::WriteImage(const TLayout &layout, TBinStream &stream)
{
    WriteShapedImage(layout, {MarkerFor(layout.Version()), true, 0}, stream);
}

TBinLayout13::TBinLayout13(TLayoutFormats *formats, const TKeyboards &keyboards)
    : TBinLayout28(formats, keyboards)
{}

QString TBinLayout13::GetFilter() const
{
    return QCoreApplication::translate("TBinLayout13", "Раскладка Ravlin 1.3 (*.bin)") +
           QStringLiteral("|*.bin");
}

QString TBinLayout13::ShortName() const
{
    return QStringLiteral("bin13");
}

uint8_t TBinLayout13::CodeFormFlag() const
{
    return 0;
}

void TBinLayout13::WriteImage(const TLayout &layout, TBinStream &stream)
{
    if (TableKeyCount(layout) > 64)
        throw EError(QCoreApplication::translate(
            "TBinLayout13", "Формат 1.3 не поддерживает клавиатуры сколичеством клавиш большим 64"));
    WriteShapedImage(layout, {0x0100, false, 1}, stream);
}

void TBinLayout13::WriteCodes(const TScanCodes &codes, TBinStream &stream)
{
    // The words are gathered first: the count byte comes before them. A
    // sequence of at most 255 bytes gives at most 255 words.
    std::vector<uint16_t> words;
    for (int i = 0; i < codes.Count(); ++i) {
        const TScanCode &item = codes.Item(i);
        if (item.CodeType != ctMake)
            continue;
        const QByteArray &data = item.Data();
        if (data.size() == 1)
            words.push_back(uint8_t(data[0]));
        else if (data.size() == 2)
            words.push_back(uint16_t(uint8_t(data[0]) << 8 | uint8_t(data[1])));
    }
    // The reader turns the words back into make items and appends their
    // releases; a list whose releases would not fit a sequence is refused
    // here, so that no image is written that cannot be read.
    TScanCodes readBack;
    try {
        for (const uint16_t word : words)
            readBack.AddCode16(word);
        AppendBreakItems(readBack);
    } catch (const EError &) {
        throw EError(QCoreApplication::translate("TBinLayout13",
                                                 "Коды \"%1\" нельзя записать в раскладку формата 1.3: "
                                                 "вместе с отжатиями они длиннее 255 байт.")
                         .arg(codes.Text()));
    }
    stream.WriteByte(uint8_t(words.size()));
    for (const uint16_t word : words)
        stream.WriteWord(word);
}
