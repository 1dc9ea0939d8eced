#include "LayoutTestKeyboards.h"

#include "base/Error.h"
#include "model/Key.h"
#include "model/KeyLock.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/LayoutDiff.h"
#include "model/MSR.h"
#include "model/ScanCodes.h"
#include "support/LayoutCompare.h"

#include <QCoreApplication>
#include <QHash>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

struct TSearchLayout {
    TKeyboards Keyboards;
    TLayout Layout;
    QStringList Lines;
    TMessageSink Sink = [this](const QString &text, uint32_t tag) {
        EXPECT_EQ(tag, Layout.InstanceNumber());
        Lines.append(text);
    };
    explicit TSearchLayout(int layers = 2, int keyPositions = 0)
    {
        Layout.ApplyKeyboard(AddMatrixKeyboard(Keyboards, 1, 4, 4, layers, keyPositions));
    }
    TScanCodes &Make(int layer, int col, int row)
    {
        return Layout.Layers().Item(layer).KeyAtOrFail(col, row).MakeCodes();
    }
    TScanCodes &Break(int layer, int col, int row)
    {
        return Layout.Layers().Item(layer).KeyAtOrFail(col, row).BreakCodes();
    }
};

} // namespace

TEST(LayoutCheck, ReportsAtMostElevenLines)
{
    TSearchLayout t;
    for (int i = 0; i < 12; ++i)
        t.Make(0, i % 4, i / 4).SetText(QStringLiteral("+A +A"));
    EXPECT_FALSE(t.Layout.Check(t.Sink));
    ASSERT_EQ(t.Lines.size(), 11);
    EXPECT_EQ(t.Lines[0],
              QStringLiteral("[Ошибка(1)] Слой 1. Клавиша (1,1). Коды нажатия. Код +A: Два нажатия подряд."));
    EXPECT_EQ(t.Lines[10].left(36), QStringLiteral("[Ошибка(11)] Слой 1. Клавиша (3,3). "));
}

TEST(LayoutCheck, NamesLayerRowColumnReaderAndKeyLock)
{
    TSearchLayout t(2, 3);
    EXPECT_TRUE(t.Layout.Check(t.Sink));
    EXPECT_TRUE(t.Lines.isEmpty());
    t.Break(1, 2, 3).SetText(QStringLiteral("-A"));
    t.Layout.Layers().Item(1).MSR().Track(1).Suffix().SetText(QStringLiteral("+A"));
    t.Layout.Layers().Item(1).KeyLock().Item(2).Codes().SetText(QStringLiteral("-B"));
    EXPECT_FALSE(t.Layout.Check(t.Sink));
    ASSERT_EQ(t.Lines.size(), 3);
    EXPECT_EQ(t.Lines[0], QStringLiteral("[Ошибка(1)] Слой 2. Клавиша (4,3). Коды отжатия. "
                                         "Код -A: Отжатие перед нажатием."));
    EXPECT_EQ(t.Lines[1], QStringLiteral("[Ошибка(2)] Слой 2. Считыватель карт. Трек 2. Суффикс. "
                                         "Код +A: Нет отжатия."));
    EXPECT_EQ(t.Lines[2], QStringLiteral("[Ошибка(3)] Слой 2. Ключ. Положение 3. "
                                         "Код -B: Отжатие перед нажатием."));
}

TEST(LayoutSearch, FindSearchesTheWorkAreaInColumnOrder)
{
    TSearchLayout t;
    t.Make(0, 2, 1).SetText(QStringLiteral("+LShift +A -A -LShift"));
    t.Break(1, 0, 3).SetText(QStringLiteral("-LShift"));
    t.Make(1, 0, 0).SetText(QStringLiteral("+LShift -LShift"));
    EXPECT_EQ(t.Layout.Find(QStringLiteral("lshift"), 0, t.Sink), 3);
    ASSERT_EQ(t.Lines.size(), 3);
    EXPECT_EQ(t.Lines[0], QStringLiteral("[Поиск] Слой 2. Клавиша (1,1). Коды нажатия. "
                                         "Строка +LSHIFT -LSHIFT найдена."));
    EXPECT_EQ(t.Lines[1], QStringLiteral("[Поиск] Слой 2. Клавиша (4,1). Коды отжатия. Строка -LSHIFT найдена."));
    EXPECT_EQ(t.Lines[2], QStringLiteral("[Поиск] Слой 1. Клавиша (2,3). Коды нажатия. "
                                         "Строка +LSHIFT +A -A -LSHIFT найдена."));
    t.Lines.clear();
    EXPECT_EQ(t.Layout.Find(QStringLiteral("lshift"), 1, t.Sink), 1);
    EXPECT_EQ(t.Layout.Find(QString(), 0, t.Sink), 0);
    t.Layout.SetSelection({1, 1, 2, 1}); // two cells: only they are searched
    EXPECT_EQ(t.Layout.Find(QStringLiteral("lshift"), 0, nullptr), 1);
    EXPECT_EQ(t.Layout.Find(QStringLiteral("lshift"), 7, nullptr), 0);
}

TEST(LayoutSearch, ReplaceRewritesCodeTextsIgnoringCase)
{
    TSearchLayout t;
    t.Make(0, 0, 0).SetText(QStringLiteral("+A -A"));
    EXPECT_EQ(t.Layout.Replace(QStringLiteral("+a"), QStringLiteral("+B"), 0), 1);
    EXPECT_EQ(t.Make(0, 0, 0).Text(), QStringLiteral("+B -A"));
    t.Make(0, 0, 0).SetText(QStringLiteral("+A -A"));
    EXPECT_EQ(t.Layout.Replace(QStringLiteral("A"), QStringLiteral("Q"), 0), 2);
    EXPECT_EQ(t.Make(0, 0, 0).Text(), QStringLiteral("+Q -Q"));
    t.Make(0, 0, 0).SetText(QStringLiteral("+A -A"));
    EXPECT_EQ(t.Layout.Replace(QStringLiteral("A"), QStringLiteral("ZZ"), 0), 2);
    EXPECT_TRUE(t.Make(0, 0, 0).IsEmpty()); // neither +ZZ nor -ZZ parses
    EXPECT_EQ(t.Layout.Replace(QStringLiteral("nothing"), QStringLiteral("x"), 0), 0);

    // A replacement that would not fit raises instead of cutting codes off.
    QStringList bytes;
    for (int i = 0; i < 200; ++i)
        bytes.append(QStringLiteral("1"));
    t.Make(1, 1, 1).SetText(bytes.join(u' '));
    EXPECT_THROW(t.Layout.Replace(QStringLiteral("1"), QStringLiteral("1 1"), 2), EError);
    EXPECT_EQ(t.Make(1, 1, 1).Count(), 200);
}

TEST(LayoutSearch, ReplaceThatCannotBeDoneChangesNothingAndOneThatCanTellsTheViews)
{
    TSearchLayout t;
    // The short sequences come first in search order; the long one last.
    t.Make(1, 0, 0).SetText(QStringLiteral("1 2"));
    t.Break(1, 0, 1).SetText(QStringLiteral("1"));
    QStringList bytes;
    for (int i = 0; i < 200; ++i)
        bytes.append(QStringLiteral("1"));
    t.Make(1, 3, 3).SetText(bytes.join(u' '));
    TLayout before;
    before.Assign(t.Layout);
    int notices = 0;
    const auto link = t.Layout.AddLink([&](TLayout &) { ++notices; }, &notices);

    EXPECT_THROW(t.Layout.Replace(QStringLiteral("1"), QStringLiteral("1 1"), 2), EError);
    ExpectSameLayout(before, t.Layout);
    EXPECT_EQ(notices, 0);

    EXPECT_EQ(t.Layout.Replace(QStringLiteral("2"), QStringLiteral("3"), 2), 1);
    EXPECT_EQ(t.Make(1, 0, 0).Text(), QStringLiteral("1 3"));
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(t.Layout.LastChange(), lcContent);
}

TEST(LayoutSearch, GotoLineSelectsTheNamedKey)
{
    TSearchLayout t;
    EXPECT_TRUE(t.Layout.GotoLine(QStringLiteral("[Поиск] Слой 1. Клавиша (2,3). Коды нажатия. Строка +A найдена.")));
    EXPECT_EQ(t.Layout.Selection(), (TRect{3, 2, 3, 2}));
    EXPECT_TRUE(t.Layout.GotoLine(QStringLiteral("[Ошибка(4)] Слой 2. Клавиша (4,1). Коды отжатия. Код -A: x")));
    EXPECT_EQ(t.Layout.Selection(), (TRect{1, 4, 1, 4}));
    EXPECT_FALSE(t.Layout.GotoLine(QStringLiteral("[Ошибка(1)] Слой 2. Считыватель карт. Трек 1. Префикс. x")));
    EXPECT_FALSE(t.Layout.GotoLine(QStringLiteral("[Замена] (A->B) Количество замен: 2")));
    EXPECT_FALSE(t.Layout.GotoLine(QStringLiteral("[Поиск] Слой 1. Клавиша (5,1). x")));
    EXPECT_EQ(t.Layout.Selection(), (TRect{1, 4, 1, 4}));
    EXPECT_THROW(t.Layout.GotoLine(QStringLiteral("[Поиск] Слой +-. Клавиша (1,1).")), EConvertError);
}

namespace {

// A translation, installed while it lives, that words the key lines
// otherwise and puts their places in another order.
class TReorderingTranslation : public QTranslator {
public:
    TReorderingTranslation() { QCoreApplication::installTranslator(this); }
    ~TReorderingTranslation() override { QCoreApplication::removeTranslator(this); }
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        static const QHash<QString, QString> texts = {
            {QStringLiteral("[Ошибка(%1)] Слой %2. Клавиша (%3,%4). %5. %6"),
             QStringLiteral("[Error %1] %5 of key (%3,%4) in layer %2: %6")},
            {QStringLiteral("[Поиск] Слой %1. Клавиша (%2,%3). %4. Строка %5 найдена."),
             QStringLiteral("[Search] Found %5 in %4 of key (%2,%3), layer %1.")},
            {QStringLiteral("[Сравнение] Слой %1. Клавиша (%2,%3). %4: \"%5\" -> \"%6\""),
             QStringLiteral("[Compare] %4 of key (%2,%3), layer %1: \"%5\" -> \"%6\"")},
        };
        return qstrcmp(context, "TLayout") == 0 ? texts.value(QString::fromUtf8(sourceText)) : QString();
    }
};

} // namespace

TEST(LayoutSearch, GotoLineReadsTheLinesOfATranslation)
{
    TReorderingTranslation translation;
    TSearchLayout t;
    t.Make(1, 2, 1).SetText(QStringLiteral("+A -A"));
    ASSERT_EQ(t.Layout.Find(QStringLiteral("+a"), 0, t.Sink), 1);
    EXPECT_TRUE(t.Lines[0].startsWith(QStringLiteral("[Search] Found +A -A in ")));
    EXPECT_TRUE(t.Layout.GotoLine(t.Lines[0]));
    EXPECT_EQ(t.Layout.Selection(), (TRect{3, 2, 3, 2}));

    t.Lines.clear();
    t.Break(0, 3, 2).SetText(QStringLiteral("-A"));
    EXPECT_FALSE(t.Layout.Check(t.Sink));
    ASSERT_EQ(t.Lines.size(), 1);
    EXPECT_TRUE(t.Lines[0].startsWith(QStringLiteral("[Error 1] ")));
    EXPECT_TRUE(t.Layout.GotoLine(t.Lines[0]));
    EXPECT_EQ(t.Layout.Selection(), (TRect{4, 3, 4, 3}));

    TSearchLayout other;
    other.Make(1, 0, 3).SetText(QStringLiteral("+B -B"));
    other.Make(1, 2, 1).SetText(QStringLiteral("+A -A"));
    other.Break(0, 3, 2).SetText(QStringLiteral("-A"));
    const QList<TLayoutDifference> differences = CompareLayouts(t.Layout, other.Layout);
    ASSERT_EQ(differences.size(), 1);
    EXPECT_TRUE(differences[0].Text().startsWith(QStringLiteral("[Compare] ")));
    EXPECT_TRUE(t.Layout.GotoLine(differences[0].Text()));
    EXPECT_EQ(t.Layout.Selection(), (TRect{1, 4, 1, 4}));
}
