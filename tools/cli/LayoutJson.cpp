#include "LayoutJson.h"

#include "base/HexText.h"
#include "model/Key.h"
#include "model/KeyGroup.h"
#include "model/KeyLock.h"
#include "model/KeyPicture.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/MSR.h"
#include "model/Notes.h"
#include "model/ScanCodes.h"

#include <QJsonArray>

namespace {

QJsonObject RectToJson(const TRect &r)
{
    return {{QStringLiteral("left"), r.Left},
            {QStringLiteral("top"), r.Top},
            {QStringLiteral("right"), r.Right},
            {QStringLiteral("bottom"), r.Bottom}};
}

QJsonObject PictureToJson(const TKeyPicture &p)
{
    const TFont &f = p.Font();
    const TGraphic &g = p.Picture();
    return {{QStringLiteral("text"), p.Text()},
            {QStringLiteral("background"), qint64(p.BackgroundColor())},
            {QStringLiteral("orientation"), p.TextOrientation()},
            {QStringLiteral("font"),
             QJsonObject{{QStringLiteral("name"), f.Name()},
                         {QStringLiteral("size"), f.Size()},
                         {QStringLiteral("height"), f.Height()},
                         {QStringLiteral("charset"), f.Charset()},
                         {QStringLiteral("color"), qint64(f.Color())},
                         {QStringLiteral("style"), f.Style()},
                         {QStringLiteral("pixelsPerInch"), f.PixelsPerInch()}}},
            {QStringLiteral("graphic"), g.IsEmpty() ? QJsonValue() : QJsonValue(g.ClassName())},
            {QStringLiteral("graphicSize"), g.IsEmpty() ? 0 : qint64(g.Data().size())}};
}

QJsonObject KeyToJson(const TKey &k)
{
    return {{QStringLiteral("col"), k.Col()},
            {QStringLiteral("row"), k.Row()},
            {QStringLiteral("number"), k.LogicalNumber()},
            {QStringLiteral("type"), int(k.KeyType())},
            {QStringLiteral("repeat"), k.AutoRepeat()},
            {QStringLiteral("remark"), k.Remark()},
            {QStringLiteral("make"), k.MakeCodes().Text()},
            {QStringLiteral("break"), k.BreakCodes().Text()},
            {QStringLiteral("makeHex"), BytesToHex(k.MakeCodes().Data())},
            {QStringLiteral("breakHex"), BytesToHex(k.BreakCodes().Data())},
            {QStringLiteral("melody"), k.Melody().Text()},
            {QStringLiteral("picture"), PictureToJson(k.Picture())}};
}

QJsonObject ReaderToJson(const TMSR &msr)
{
    QJsonArray tracks;
    for (int t = 0; t < 3; ++t) {
        const TMSRTrack &track = msr.Track(t);
        tracks.append(QJsonObject{{QStringLiteral("enabled"), track.Enabled()},
                                  {QStringLiteral("prefix"), track.Prefix().Text()},
                                  {QStringLiteral("suffix"), track.Suffix().Text()},
                                  {QStringLiteral("prefixHex"), BytesToHex(track.Prefix().Data())},
                                  {QStringLiteral("suffixHex"), BytesToHex(track.Suffix().Data())}});
    }
    return {{QStringLiteral("sendEnter"), msr.SendEnter()},
            {QStringLiteral("stopOnError"), msr.StopOnError()},
            {QStringLiteral("lightIndication"), msr.LightIndication()},
            {QStringLiteral("melody"), msr.Melody().Text()},
            {QStringLiteral("tracks"), tracks}};
}

QJsonArray KeyLockToJson(const TKeyLock &lock)
{
    QJsonArray positions;
    for (int i = 0; i < lock.Count(); ++i) {
        const TKeyPosition &p = lock.Item(i);
        positions.append(QJsonObject{{QStringLiteral("type"), p.PositionType()},
                                     {QStringLiteral("locked"), p.Locked()},
                                     {QStringLiteral("codes"), p.Codes().Text()},
                                     {QStringLiteral("codesHex"), BytesToHex(p.Codes().Data())},
                                     {QStringLiteral("melody"), p.Melody().Text()}});
    }
    return positions;
}

} // namespace

QJsonObject LayoutToJson(const TLayout &layout)
{
    QJsonArray groups;
    for (int i = 0; i < layout.Groups().Count(); ++i)
        groups.append(RectToJson(layout.Groups().Item(i).Rect()));
    QJsonArray layers;
    for (int l = 0; l < layout.LayerCount(); ++l) {
        const TLayer &layer = layout.Layers().Item(l);
        QJsonArray keys;
        for (int k = 0; k < layer.Keys().Count(); ++k)
            keys.append(KeyToJson(layer.Keys().Item(k)));
        layers.append(QJsonObject{{QStringLiteral("keys"), keys},
                                  {QStringLiteral("msr"), ReaderToJson(layer.MSR())},
                                  {QStringLiteral("keyLock"), KeyLockToJson(layer.KeyLock())}});
    }
    return {{QStringLiteral("version"), layout.Version()},
            {QStringLiteral("keyboardId"), layout.KeyboardID()},
            {QStringLiteral("columns"), layout.Columns()},
            {QStringLiteral("rows"), layout.Rows()},
            {QStringLiteral("keyCount"), layout.KeyCount()},
            {QStringLiteral("hasKey"), layout.HasKey()},
            {QStringLiteral("hasReader"), layout.HasReader()},
            {QStringLiteral("track1"), layout.Track1()},
            {QStringLiteral("track2"), layout.Track2()},
            {QStringLiteral("track3"), layout.Track3()},
            {QStringLiteral("keyPositions"), layout.KeyPositions()},
            {QStringLiteral("selection"), RectToJson(layout.Selection())},
            {QStringLiteral("groups"), groups},
            {QStringLiteral("layers"), layers}};
}
