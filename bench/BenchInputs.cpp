#include "BenchInputs.h"

#include "catalogue/Keyboards.h"
#include "catalogue/XMLKeyboard.h"
#include "files/LayoutFileFormats.h"
#include "files/XMLLayout.h"
#include "model/Graphic.h"
#include "model/Key.h"
#include "model/KeyPicture.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/Notes.h"
#include "model/ScanCodes.h"

#include <QBuffer>
#include <QImage>

namespace {

TGraphic SmallPng()
{
    QImage image(16, 16, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(15 * x, 15 * y, 255 - 15 * x));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return TGraphic::FromData(u"TPngImage", buffer.data());
}

void SetCodes(TKey &key, int seed)
{
    const QString letter(QChar(u'A' + seed % 26));
    key.MakeCodes().SetText(QStringLiteral("+LShift +%1 -%1 -LShift +F%2 -F%2").arg(letter).arg(seed % 12 + 1));
    key.BreakCodes().SetText(QStringLiteral("-<Enter> E0 F0 %1").arg(0x10 + seed % 0x60, 2, 16, QChar(u'0')));
}

void FillLargestKey(TKey &key, int seed, const TGraphic &png)
{
    SetCodes(key, seed);
    key.SetRemark(QStringLiteral("Клавиша %1: итог & сумма").arg(seed));
    for (int i = 0; i < 8; ++i) {
        TNote &note = key.Melody().Add();
        note.SetPitch(uint8_t((seed + i * 5) % 73));
        note.SetDuration(uint8_t(10 + (seed + i) % 200));
        note.SetVolume(uint8_t((seed + i) % 16));
    }
    key.Picture().SetText(QStringLiteral("Итог %1").arg(seed));
    if (seed % 4 == 0)
        key.Picture().SetPicture(png);
}

std::unique_ptr<TLayout> MakeLayout(const TKeyboards &keyboards, int model)
{
    auto layout = std::make_unique<TLayout>();
    layout->ChangeKeyboard(keyboards.ByID(model));
    return layout;
}

} // namespace

const TBenchInputs &TBenchInputs::Get()
{
    static const TBenchInputs inputs;
    return inputs;
}

TBenchInputs::TBenchInputs() : FKeyboards(std::make_unique<TKeyboards>())
{
    TXMLKeyboard loader;
    loader.LoadFolder(QStringLiteral(RAVLIN_DATA_DIR "/") + QStringLiteral("Клавиатуры"), *FKeyboards);
    FFormats = std::make_unique<TLayoutFileFormats>(*FKeyboards);

    FLargest = MakeLayout(*FKeyboards, kLargestModel);
    const TGraphic png = SmallPng();
    for (int l = 0; l < FLargest->LayerCount(); ++l) {
        TKeys &keys = FLargest->Layers().Item(l).Keys();
        for (int k = 0; k < keys.Count(); ++k)
            FillLargestKey(keys.Item(k), l * keys.Count() + k, png);
    }

    FTypical = MakeLayout(*FKeyboards, kTypicalModel);
    for (int l = 0; l < 2; ++l) {
        TKeys &keys = FTypical->Layers().Item(l).Keys();
        for (int k = 0; k < keys.Count(); ++k)
            SetCodes(keys.Item(k), l * keys.Count() + k);
    }
    FLargestXML = FFormats->XMLFormat().SaveToString(*FLargest);
}
