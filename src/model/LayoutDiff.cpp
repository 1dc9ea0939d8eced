#include "model/LayoutDiff.h"

#include "model/Graphic.h"
#include "model/Key.h"
#include "model/KeyGroup.h"
#include "model/KeyLock.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/MSR.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>

namespace {

// Collects the differences of one part, each a pair of values shown as text.
class TDiffSink {
public:
    explicit TDiffSink(QList<TLayoutDifference> &out) : FOut(out) {}

    // The place of the next values: a layer, a key or a part of the layer.
    void At(int layer, int col = -1, int row = -1, const QString &where = {})
    {
        FLayer = layer;
        FCol = col;
        FRow = row;
        FWhere = where;
    }
    void Value(const QString &what, const QString &a, const QString &b)
    {
        if (a != b)
            FOut.append({FLayer, FCol, FRow, FWhere, what, a, b});
    }
    // Records a difference found otherwise, whose texts may look the same.
    void Changed(const QString &what, const QString &a, const QString &b)
    {
        FOut.append({FLayer, FCol, FRow, FWhere, what, a, b});
    }
    void Flag(const QString &what, bool a, bool b) { Value(what, YesNo(a), YesNo(b)); }
    void Count(const QString &what, int a, int b) { Value(what, QString::number(a), QString::number(b)); }

private:
    static QString YesNo(bool value)
    {
        return value ? QCoreApplication::translate("TLayoutDifference", "да")
                     : QCoreApplication::translate("TLayoutDifference", "нет");
    }

    QList<TLayoutDifference> &FOut;
    int FLayer = -1;
    int FCol = -1;
    int FRow = -1;
    QString FWhere;
};

QString FontText(const TFont &font)
{
    return QCoreApplication::translate("TLayoutDifference", "%1, %2 пт, стиль %3, цвет %4")
        .arg(font.Name())
        .arg(font.Size())
        .arg(font.Style())
        .arg(font.Color(), 6, 16, QChar(u'0'));
}

QString GraphicText(const TGraphic &graphic)
{
    return graphic.IsEmpty() ? QCoreApplication::translate("TLayoutDifference", "нет")
                             : QCoreApplication::translate("TLayoutDifference", "%1, %2 байт")
                                   .arg(graphic.ClassName())
                                   .arg(graphic.Data().size());
}

QString KeyTypeText(int type)
{
    const QString name = KeyTypeName(type);
    return name.isEmpty() ? QString::number(type) : name;
}

void CompareKeys(TDiffSink &sink, int layer, const TKey &a, const TKey &b)
{
    sink.At(layer, a.Col(), a.Row());
    sink.Value(QCoreApplication::translate("TLayoutDifference", "Функция"), KeyTypeText(a.KeyType()),
               KeyTypeText(b.KeyType()));
    sink.Value(QCoreApplication::translate("TLayoutDifference", "Коды нажатия"), a.MakeCodes().Text(),
               b.MakeCodes().Text());
    sink.Value(QCoreApplication::translate("TLayoutDifference", "Коды отжатия"), a.BreakCodes().Text(),
               b.BreakCodes().Text());
    sink.Flag(QCoreApplication::translate("TLayoutDifference", "Автоповтор"), a.AutoRepeat(), b.AutoRepeat());
    sink.Value(QCoreApplication::translate("TLayoutDifference", "Звук"), a.Melody().Text(),
               b.Melody().Text());
    sink.Value(QCoreApplication::translate("TLayoutDifference", "Примечание"), a.Remark(), b.Remark());
    const TKeyPicture &pa = a.Picture();
    const TKeyPicture &pb = b.Picture();
    sink.Value(QCoreApplication::translate("TLayoutDifference", "Рисунок, текст"), pa.Text(), pb.Text());
    if (!(pa.Font() == pb.Font()))
        sink.Changed(QCoreApplication::translate("TLayoutDifference", "Рисунок, шрифт"), FontText(pa.Font()),
                     FontText(pb.Font()));
    sink.Value(QCoreApplication::translate("TLayoutDifference", "Рисунок, фон"),
               QString::number(pa.BackgroundColor(), 16), QString::number(pb.BackgroundColor(), 16));
    sink.Count(QCoreApplication::translate("TLayoutDifference", "Рисунок, поворот текста"),
               pa.TextOrientation(), pb.TextOrientation());
    if (!(pa.Picture() == pb.Picture()))
        sink.Changed(QCoreApplication::translate("TLayoutDifference", "Рисунок, изображение"),
                     GraphicText(pa.Picture()), GraphicText(pb.Picture()));
}

void CompareLayers(TDiffSink &sink, int index, const TLayer &a, const TLayer &b)
{
    const TKeys &keysA = a.Keys();
    for (int k = 0; k < keysA.Count(); ++k) {
        const TKey &key = keysA.Item(k);
        if (const TKey *other = b.KeyAt(key.Col(), key.Row())) {
            CompareKeys(sink, index, key, *other);
        } else {
            sink.At(index, key.Col(), key.Row());
            sink.Value(QCoreApplication::translate("TLayoutDifference", "Клавиша"),
                       QCoreApplication::translate("TLayoutDifference", "есть"),
                       QCoreApplication::translate("TLayoutDifference", "нет"));
        }
    }
    const TKeys &keysB = b.Keys();
    for (int k = 0; k < keysB.Count(); ++k) {
        const TKey &key = keysB.Item(k);
        if (!a.KeyAt(key.Col(), key.Row())) {
            sink.At(index, key.Col(), key.Row());
            sink.Value(QCoreApplication::translate("TLayoutDifference", "Клавиша"),
                       QCoreApplication::translate("TLayoutDifference", "нет"),
                       QCoreApplication::translate("TLayoutDifference", "есть"));
        }
    }

    const TMSR &ra = a.MSR();
    const TMSR &rb = b.MSR();
    sink.At(index, -1, -1, QCoreApplication::translate("TLayoutDifference", "Считыватель"));
    sink.Flag(QCoreApplication::translate("TLayoutDifference", "Отправлять Enter"), ra.SendEnter(),
              rb.SendEnter());
    sink.Flag(QCoreApplication::translate("TLayoutDifference", "Остановка при ошибке"), ra.StopOnError(),
              rb.StopOnError());
    sink.Flag(QCoreApplication::translate("TLayoutDifference", "Световая индикация"), ra.LightIndication(),
              rb.LightIndication());
    sink.Value(QCoreApplication::translate("TLayoutDifference", "Звук"), ra.Melody().Text(),
               rb.Melody().Text());
    for (int t = 0; t < 3; ++t) {
        sink.At(index, -1, -1,
                QCoreApplication::translate("TLayoutDifference", "Считыватель. Дорожка %1").arg(t + 1));
        sink.Flag(QCoreApplication::translate("TLayoutDifference", "Включена"), ra.Track(t).Enabled(),
                  rb.Track(t).Enabled());
        sink.Value(QCoreApplication::translate("TLayoutDifference", "Префикс"), ra.Track(t).Prefix().Text(),
                   rb.Track(t).Prefix().Text());
        sink.Value(QCoreApplication::translate("TLayoutDifference", "Суффикс"), ra.Track(t).Suffix().Text(),
                   rb.Track(t).Suffix().Text());
    }

    const TKeyLock &la = a.KeyLock();
    const TKeyLock &lb = b.KeyLock();
    sink.At(index, -1, -1, QCoreApplication::translate("TLayoutDifference", "Ключ"));
    sink.Count(QCoreApplication::translate("TLayoutDifference", "Позиций"), la.Count(), lb.Count());
    for (int p = 0; p < std::min(la.Count(), lb.Count()); ++p) {
        sink.At(index, -1, -1,
                QCoreApplication::translate("TLayoutDifference", "Ключ. Позиция %1").arg(p + 1));
        const TKeyPosition &pa = la.Item(p);
        const TKeyPosition &pb = lb.Item(p);
        sink.Value(QCoreApplication::translate("TLayoutDifference", "Функция"),
                   PositionTypeName(pa.PositionType()), PositionTypeName(pb.PositionType()));
        sink.Value(QCoreApplication::translate("TLayoutDifference", "Коды"), pa.Codes().Text(),
                   pb.Codes().Text());
        sink.Flag(QCoreApplication::translate("TLayoutDifference", "Блокировка"), pa.Locked(), pb.Locked());
        sink.Value(QCoreApplication::translate("TLayoutDifference", "Звук"), pa.Melody().Text(),
                   pb.Melody().Text());
    }
}

QStringList GroupTexts(const TLayout &layout)
{
    QStringList texts;
    const TKeyGroups &groups = layout.Groups();
    for (int g = 0; g < groups.Count(); ++g) {
        const TRect &r = groups.Item(g).Rect();
        texts << QStringLiteral("(%1,%2)-(%3,%4)").arg(r.Top + 1).arg(r.Left + 1).arg(r.Bottom + 1).arg(r.Right + 1);
    }
    return texts;
}

} // namespace

QString TLayoutDifference::Text() const
{
    // A difference of a part of a layer names the part before what differs.
    const QString what = Where.isEmpty() ? What : QStringLiteral("%1. %2").arg(Where, What);
    if (Layer >= 0 && Col >= 0)
        return TLayout::CompareLineFormat().arg(Layer + 1).arg(Row + 1).arg(Col + 1).arg(what, A, B);
    if (Layer >= 0)
        return QCoreApplication::translate("TLayoutDifference", "[Сравнение] Слой %1. %2: \"%3\" -> \"%4\"")
            .arg(Layer + 1)
            .arg(what, A, B);
    if (Col >= 0)
        return QCoreApplication::translate("TLayoutDifference",
                                           "[Сравнение] Клавиша (%1,%2). %3: \"%4\" -> \"%5\"")
            .arg(Row + 1)
            .arg(Col + 1)
            .arg(what, A, B);
    return QCoreApplication::translate("TLayoutDifference", "[Сравнение] %1: \"%2\" -> \"%3\"")
        .arg(what, A, B);
}

QList<TLayoutDifference> CompareLayouts(const TLayout &a, const TLayout &b,
                                        const std::function<QString(int)> &modelName)
{
    QList<TLayoutDifference> result;
    TDiffSink sink(result);
    const auto name = [&](int id) { return modelName ? modelName(id) : QString::number(id); };
    sink.Value(QCoreApplication::translate("TLayoutDifference", "Модель"), name(a.KeyboardID()),
               name(b.KeyboardID()));
    sink.Count(QCoreApplication::translate("TLayoutDifference", "Слоёв"), a.LayerCount(), b.LayerCount());
    for (int l = 0; l < std::min(a.LayerCount(), b.LayerCount()); ++l)
        CompareLayers(sink, l, a.Layers().Item(l), b.Layers().Item(l));

    const QStringList groupsA = GroupTexts(a);
    const QStringList groupsB = GroupTexts(b);
    sink.At(-1);
    for (const QString &group : groupsA)
        if (!groupsB.contains(group))
            sink.Value(QCoreApplication::translate("TLayoutDifference", "Группа %1").arg(group),
                       QCoreApplication::translate("TLayoutDifference", "есть"),
                       QCoreApplication::translate("TLayoutDifference", "нет"));
    for (const QString &group : groupsB)
        if (!groupsA.contains(group))
            sink.Value(QCoreApplication::translate("TLayoutDifference", "Группа %1").arg(group),
                       QCoreApplication::translate("TLayoutDifference", "нет"),
                       QCoreApplication::translate("TLayoutDifference", "есть"));
    return result;
}
