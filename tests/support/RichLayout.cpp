#include "support/RichLayout.h"

#include "catalogue/Keyboards.h"
#include "model/Key.h"
#include "model/KeyGroup.h"
#include "model/KeyLock.h"
#include "model/KeyPicture.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/MSR.h"
#include "model/Notes.h"
#include "model/ScanCodes.h"

#include <QBuffer>
#include <QImage>
#include <algorithm>

namespace {

QByteArray EncodeImage(const char *format, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(40 * x, 60 * y, 200 - 30 * x));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return buffer.data();
}

void AddNotes(TNotes &notes, int seed, int count)
{
    for (int i = 0; i < count; ++i) {
        TNote &note = notes.Add();
        note.SetPitch(uint8_t((seed * 7 + i * 5) % 73));
        note.SetDuration(uint8_t(10 + (seed + i) % 200));
        note.SetVolume(uint8_t((seed + 3 * i) % 16));
    }
}

// Font heights whose size in points converts back to the same height.
constexpr int kHeights[] = {-11, -13, -16, -20, 24};

void FillPicture(TKeyPicture &picture, int seed, const TGraphic &png, const TGraphic &bitmap)
{
    switch (seed % 5) {
    case 0:
        return; // a default picture
    case 1:
        picture.SetText(QStringLiteral("Итог %1").arg(seed));
        break;
    case 2:
        picture.SetText(QStringLiteral("<%1> & \"Б\"").arg(seed));
        picture.SetPicture(png);
        break;
    case 3:
        picture.SetPicture(bitmap);
        break;
    default:
        picture.SetText(QStringLiteral("В"));
        picture.SetTextOrientation(1);
        break;
    }
    picture.SetBackgroundColor(seed % 3 == 0 ? 0x80000005u : uint32_t(0x00102030 * (seed % 7)));
    TFont font = picture.Font();
    font.SetName(seed % 2 ? QStringLiteral("Arial") : QStringLiteral("Шрифт Тест"));
    font.SetPixelsPerInch(seed % 4 == 0 ? 120 : 96);
    font.SetHeight(font.PixelsPerInch() == 120 ? -15 : kHeights[seed % 5]);
    font.SetCharset(uint8_t(seed % 2 ? 204 : 0));
    font.SetColor(uint32_t(0x000000FF << (8 * (seed % 3))));
    font.SetStyle(uint8_t(seed % 16));
    picture.SetFont(font);
}

void FillKey(TKey &key, int layer, int index, const TRichLayoutOptions &options, const TGraphic &png,
             const TGraphic &bitmap)
{
    const int seed = layer * 31 + index;
    switch (seed % 7) {
    case 0:
        break; // an empty key
    case 1:
        key.MakeCodes().SetText(u"+LShift +A -A -LShift");
        key.BreakCodes().SetText(u"E0 F0 12");
        key.SetRemark(QStringLiteral("Сумма & итог <%1> \"к\"").arg(seed));
        key.SetAutoRepeat(true);
        AddNotes(key.Melody(), seed, 3);
        break;
    case 2:
        key.SetKeyType(TKeyType(ktLayer1 + layer % 4));
        key.SetRemark(QStringLiteral("Слой %1").arg(layer % 4 + 1));
        break;
    case 3:
        key.SetKeyType(ktTempLayer2);
        key.SetAutoRepeat(true);
        AddNotes(key.Melody(), seed, 1);
        break;
    case 4:
        key.MakeCodes().SetText(u"+F1 -F1 +</> -</>");
        AddNotes(key.Melody(), seed, 2);
        break;
    case 5:
        key.SetKeyType(seed % 2 ? ktLayerUp : ktLayerDown);
        break;
    default:
        key.MakeCodes().SetText(u"+LCtrl +<Enter>");
        key.BreakCodes().SetText(u"-<Enter> -LCtrl 7F");
        key.SetRemark(QStringLiteral("Ввод"));
        break;
    }
    if (!options.Remarks)
        key.SetRemark(QString());
    if (options.Pictures)
        FillPicture(key.Picture(), seed, png, bitmap);
}

void FillReader(TMSR &msr, int layer)
{
    msr.SetSendEnter(layer % 2 == 0);
    msr.SetStopOnError(layer % 3 == 0);
    msr.SetLightIndication(layer % 2 == 1);
    for (int t = 0; t < kMSRTrackCount; ++t) {
        TMSRTrack &track = msr.Track(t);
        track.SetEnabled((layer + t) % 2 == 0);
        track.Prefix().SetText(QStringLiteral("+LCtrl +%1 -%1 -LCtrl").arg(t + 1));
        if (t != 1)
            track.Suffix().SetText(u"+<Enter> -<Enter>");
    }
    if (layer != 1)
        AddNotes(msr.Melody(), layer, 2);
}

void FillKeyLock(TKeyLock &keyLock, int layer)
{
    for (int p = 0; p < keyLock.Count(); ++p) {
        TKeyPosition &position = keyLock.Item(p);
        position.SetPositionType(uint8_t((p + layer) % 5));
        position.SetLocked(p % 2 == 1);
        if (p % 3 != 2)
            position.Codes().SetText(QStringLiteral("+%1 -%1").arg(p + 1));
        if (p == 0)
            AddNotes(position.Melody(), p + layer, 2);
    }
}

} // namespace

QByteArray SamplePng()
{
    return EncodeImage("PNG", 5, 4);
}

QByteArray SampleBitmap()
{
    return EncodeImage("BMP", 3, 2);
}

std::unique_ptr<TLayout> MakeRichLayout(const TKeyboards &keyboards, int keyboardId,
                                        const TRichLayoutOptions &options)
{
    auto layout = std::make_unique<TLayout>();
    layout->ChangeKeyboard(keyboards.ByID(keyboardId));
    const TGraphic png = TGraphic::FromData(u"TPngImage", SamplePng());
    const TGraphic bitmap = TGraphic::FromData(u"TBitmap", SampleBitmap());

    for (int l = 0; l < layout->LayerCount(); ++l) {
        TLayer &layer = layout->Layers().Item(l);
        for (int k = 0; k < layer.Keys().Count(); ++k)
            FillKey(layer.Keys().Item(k), l, k, options, png, bitmap);
        FillReader(layer.MSR(), l);
        FillKeyLock(layer.KeyLock(), l);
    }

    const int columns = layout->Columns();
    const int rows = layout->Rows();
    if (options.Groups && columns >= 2)
        layout->Group(TRect{0, 0, 1, 0});
    if (options.Groups && columns >= 3 && rows >= 3)
        layout->Group(TRect{2, 1, 2, 2});
    layout->SetSelection(TRect{std::min(2, columns), 1, columns, std::min(2, rows)});
    return layout;
}
