#include "LayoutTestKeyboards.h"

#include "base/Error.h"
#include "model/Key.h"
#include "model/KeyGroup.h"
#include "model/KeyLock.h"
#include "model/KeyPicture.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/MSR.h"
#include "model/Notes.h"
#include "model/ScanCodes.h"

#include <gtest/gtest.h>

namespace {

TKey &KeyAt(TLayout &layout, int layer, int col, int row)
{
    return layout.Layers().Item(layer).KeyAtOrFail(col, row);
}

void FillKey(TKey &key, const QString &remark)
{
    key.SetRemark(remark);
    key.SetAutoRepeat(true);
    key.MakeCodes().SetText(QStringLiteral("+A"));
    key.BreakCodes().SetText(QStringLiteral("-A"));
    key.Melody().SetText(QStringLiteral("C1;10;5"));
}

} // namespace

TEST(Layout, NewLayoutDefaultsAndInstanceNumbers)
{
    TLayout a;
    TLayout b;
    EXPECT_EQ(b.InstanceNumber(), a.InstanceNumber() + 1);
    EXPECT_EQ(a.Version(), 0x020A);
    EXPECT_EQ(a.Selection(), (TRect{1, 1, 1, 1}));
    EXPECT_EQ(a.LayerCount(), 0);
    EXPECT_FALSE(a.IsModified());
    a.SetColumns(0); // equal to the current count: not even checked
    EXPECT_FALSE(a.IsModified());
    a.SetColumns(3);
    EXPECT_TRUE(a.IsModified()) << "a new shape is a change of the document";
    a.ResetModified();
    EXPECT_THROW(a.SetColumns(0), EError);
    try {
        a.SetRows(-2);
        FAIL();
    } catch (const EError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Неверное значение количества рядов: -2\r\n"
                                              "Количество рядов раскладки должно быть больше 0."));
    }
    try {
        a.SetKeyPositions(9);
        FAIL();
    } catch (const EError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Неверное значение количества положений ключа: 9\r\n"
                                              "Количество положений ключа должно быть от 1 до 8."));
    }
    EXPECT_FALSE(a.IsModified()) << "refused values change nothing";
}

TEST(Layout, ApplyKeyboardShapesEveryLayer)
{
    TKeyboards keyboards;
    TKeyboard &k = AddKeyboard(keyboards, 7, 4, 3, 3, {{1, 1, 5}, {4, 3, 2}, {2, 2, 9}});
    k.HasReader = 1;
    k.Track1 = 1;
    k.Track3 = 1;
    k.HasKey = 1;
    k.KeyPos = 5;
    TLayout layout;
    layout.ApplyKeyboard(k);
    EXPECT_EQ(layout.KeyboardID(), 7);
    EXPECT_EQ(layout.Columns(), 4);
    EXPECT_EQ(layout.Rows(), 3);
    EXPECT_EQ(layout.KeyCount(), 3);
    EXPECT_EQ(layout.KeyPositions(), 5);
    EXPECT_TRUE(layout.HasReader() && layout.HasKey() && layout.Track1() && !layout.Track2() && layout.Track3());
    ASSERT_EQ(layout.LayerCount(), 3);
    for (int l = 0; l < 3; ++l) {
        const TLayer &layer = layout.Layers().Item(l);
        ASSERT_EQ(layer.Keys().Count(), 3);
        EXPECT_EQ(layer.Keys().Item(1).Col(), 3); // description order, cells from 0
        EXPECT_EQ(layer.Keys().Item(1).Row(), 2);
        EXPECT_EQ(layer.Keys().Item(1).LogicalNumber(), 2);
        EXPECT_EQ(layer.KeyAt(0, 1), nullptr);
        EXPECT_EQ(layer.KeyLock().Count(), 5);
        EXPECT_TRUE(layer.MSR().Track(0).Enabled());
        EXPECT_FALSE(layer.MSR().Track(1).Enabled());
    }
    try {
        layout.Layers().Item(0).KeyAtOrFail(1, 2);
        FAIL();
    } catch (const EError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Клавиша с координатами (1, 2) не найдена."));
    }

    // A description without a key lock empties every layer's key lock.
    TKeyboard &plain = AddMatrixKeyboard(keyboards, 8, 2, 2, 3);
    layout.ApplyKeyboard(plain);
    EXPECT_EQ(layout.KeyPositions(), 0);
    for (int l = 0; l < 3; ++l)
        EXPECT_EQ(layout.Layers().Item(l).KeyLock().Count(), 0);
}

TEST(Layout, ChangeKeyboardKeepsContentByLogicalNumber)
{
    TKeyboards keyboards;
    TKeyboard &from = AddKeyboard(keyboards, 1, 3, 1, 2, {{1, 1, 1}, {2, 1, 2}, {3, 1, 3}});
    from.HasKey = 1;
    from.KeyPos = 2;
    // Number 2 moves to another cell, number 3 disappears, number 4 is new.
    TKeyboard &to = AddKeyboard(keyboards, 2, 2, 2, 4, {{2, 2, 2}, {1, 1, 1}, {1, 2, 4}});
    to.HasKey = 1;
    to.KeyPos = 2;
    TLayout layout;
    layout.ApplyKeyboard(from);
    FillKey(KeyAt(layout, 0, 1, 0), QStringLiteral("два"));
    KeyAt(layout, 1, 0, 0).SetKeyType(ktLayerUp);
    KeyAt(layout, 0, 1, 0).Picture().SetText(QStringLiteral("картинка"));
    layout.Layers().Item(0).MSR().SetSendEnter(true);
    layout.Group({0, 0, 1, 0});
    layout.ResetModified();

    int notifications = 0;
    auto link = layout.AddLink([&](TLayout &) { ++notifications; }, this);
    layout.ChangeKeyboard(from); // the same description: nothing at all
    EXPECT_EQ(notifications, 0);
    EXPECT_FALSE(layout.IsModified());

    layout.ChangeKeyboard(to);
    EXPECT_EQ(notifications, 1);
    EXPECT_EQ(layout.LastChange(), lcContent);
    ASSERT_EQ(layout.LayerCount(), 4);
    const TKey &moved = KeyAt(layout, 0, 1, 1);
    EXPECT_EQ(moved.LogicalNumber(), 2);
    EXPECT_EQ(moved.Remark(), QStringLiteral("два"));
    EXPECT_TRUE(moved.AutoRepeat());
    EXPECT_EQ(moved.MakeCodes().Text(), QStringLiteral("+A"));
    EXPECT_EQ(moved.Melody().Text(), QStringLiteral("C1;10;5"));
    EXPECT_TRUE(moved.Picture().Text().isEmpty()); // pictures are not carried over
    EXPECT_EQ(KeyAt(layout, 1, 0, 0).KeyType(), ktLayerUp);
    EXPECT_TRUE(KeyAt(layout, 0, 0, 1).IsEmpty());
    EXPECT_TRUE(KeyAt(layout, 3, 1, 1).IsEmpty()); // added layers have empty keys
    EXPECT_EQ(layout.Layers().Item(3).KeyLock().Count(), 2);
    EXPECT_TRUE(layout.Layers().Item(0).MSR().SendEnter()); // kept layers keep their reader
    EXPECT_EQ(layout.Groups().Count(), 1);

    // From 4 layers back to 2 drops layers 3 and 4.
    layout.ChangeKeyboard(from);
    EXPECT_EQ(layout.LayerCount(), 2);
}

TEST(Layout, NotificationsReachViewsLastLinkFirst)
{
    TKeyboards keyboards;
    TLayout layout;
    layout.ApplyKeyboard(AddMatrixKeyboard(keyboards, 1, 3, 3, 1));
    layout.ResetModified();
    QString order;
    auto a = layout.AddLink([&](TLayout &l) { order += u'A' + QString::number(l.LastChange()); }, nullptr);
    auto b = layout.AddLink([&](TLayout &) { order += u'B'; }, nullptr);
    auto c = layout.AddLink([&](TLayout &) { order += u'C'; }, nullptr);
    layout.SetSelection({1, 1, 2, 2});
    EXPECT_EQ(order, QStringLiteral("CBA2"));
    EXPECT_FALSE(layout.IsModified()); // a selection is not a modification
    layout.SetSelection({1, 1, 2, 2});
    EXPECT_EQ(order, QStringLiteral("CBA2"));
    b.reset();
    layout.Activate();
    EXPECT_EQ(order, QStringLiteral("CBA2CA4"));
    EXPECT_FALSE(layout.IsModified());
    layout.ClearRange({1, 1, 1, 1}, 0, false);
    EXPECT_TRUE(layout.IsModified());
    EXPECT_EQ(layout.LastChange(), lcKeysCleared);
}

TEST(Layout, DestroyingTellsTheViewsFirst)
{
    auto layout = std::make_unique<TLayout>();
    TLayoutChange seen = lcContent;
    auto link = layout->AddLink([&](TLayout &l) { seen = l.LastChange(); }, nullptr);
    layout.reset();
    EXPECT_EQ(seen, lcDestroying);
    EXPECT_EQ(link->Owner(), nullptr); // the list is gone; the link outlives it safely
}

TEST(Layout, GroupsNeverShareACell)
{
    TLayout layout;
    EXPECT_FALSE(layout.Group({2, 2, 2, 2})); // one cell
    EXPECT_TRUE(layout.Group({0, 0, 1, 1}));
    EXPECT_FALSE(layout.Group({1, 1, 3, 3})); // shares the corner cell (1, 1)
    EXPECT_TRUE(layout.Group({2, 0, 3, 1})); // right next to it
    // A tall narrow rectangle through a wide flat one shares cells without
    // holding a corner of it: still refused.
    EXPECT_TRUE(layout.Group({5, 3, 9, 3}));
    EXPECT_FALSE(layout.Group({7, 1, 7, 6}));
    EXPECT_TRUE(layout.HasGroupIn({7, 1, 7, 6}));
    EXPECT_EQ(layout.GroupAt(8, 3), &layout.Groups().Item(2));
    EXPECT_EQ(layout.GroupAt(8, 4), nullptr);
    layout.Ungroup({1, 1, 2, 1}); // covers parts of the first two groups
    ASSERT_EQ(layout.Groups().Count(), 1);
    EXPECT_EQ(layout.Groups().Item(0).Rect(), (TRect{5, 3, 9, 3}));
    layout.Ungroup({7, 0, 7, 9});
    EXPECT_EQ(layout.Groups().Count(), 0);
}

TEST(Layout, ClearRangeByLayerAndPictureMode)
{
    TKeyboards keyboards;
    TLayout layout;
    layout.ApplyKeyboard(AddMatrixKeyboard(keyboards, 1, 3, 2, 2));
    for (int l = 0; l < 2; ++l)
        for (int k = 0; k < 6; ++k) {
            TKey &key = layout.Layers().Item(l).Keys().Item(k);
            FillKey(key, QStringLiteral("x"));
            key.Picture().SetText(QStringLiteral("p"));
        }
    layout.ClearRange({1, 1, 2, 1}, 2, false);
    EXPECT_FALSE(KeyAt(layout, 0, 0, 0).IsEmpty());
    EXPECT_TRUE(KeyAt(layout, 1, 0, 0).IsEmpty());
    EXPECT_TRUE(KeyAt(layout, 1, 1, 0).IsEmpty());
    EXPECT_EQ(KeyAt(layout, 1, 0, 0).Picture().Text(), QStringLiteral("p")); // the picture stays
    layout.ClearRange({3, 2, 3, 2}, 0, true);
    EXPECT_TRUE(KeyAt(layout, 0, 2, 1).Picture().Text().isEmpty());
    EXPECT_FALSE(KeyAt(layout, 0, 2, 1).IsEmpty()); // codes and remark stay in picture mode
    layout.ClearRange({1, 1, 3, 2}, 0, false);
    for (int l = 0; l < 2; ++l)
        for (int k = 0; k < 6; ++k)
            EXPECT_TRUE(layout.Layers().Item(l).Keys().Item(k).IsEmpty());
}

TEST(Layout, PasteFillsOrCopiesABlockThatFits)
{
    TKeyboards keyboards;
    const TKeyboard &k = AddMatrixKeyboard(keyboards, 1, 4, 4, 2);
    TLayout layout;
    layout.ApplyKeyboard(k);
    TLayout clip;
    KeyAt(layout, 0, 0, 0).SetRemark(QStringLiteral("a"));
    KeyAt(layout, 1, 0, 0).SetRemark(QStringLiteral("a2"));
    KeyAt(layout, 0, 1, 0).SetRemark(QStringLiteral("b"));
    KeyAt(layout, 0, 0, 1).SetKeyType(ktNone); // never pasted
    layout.CopyTo(clip);

    // One source cell fills the whole target selection, on every layer.
    layout.SetSelection({3, 3, 4, 4});
    layout.Paste(clip, 0, false);
    for (int c = 2; c < 4; ++c)
        for (int r = 2; r < 4; ++r) {
            EXPECT_EQ(KeyAt(layout, 0, c, r).Remark(), QStringLiteral("a"));
            EXPECT_EQ(KeyAt(layout, 1, c, r).Remark(), QStringLiteral("a2"));
        }

    // A block into a single cell copies one cell only.
    clip.SetSelection({1, 1, 2, 2});
    layout.SetSelection({3, 1, 3, 1});
    layout.Paste(clip, 1, false);
    EXPECT_EQ(layout.Selection(), (TRect{3, 1, 3, 1}));
    EXPECT_EQ(KeyAt(layout, 0, 2, 0).Remark(), QStringLiteral("a"));
    EXPECT_TRUE(KeyAt(layout, 0, 3, 0).Remark().isEmpty());
    EXPECT_TRUE(KeyAt(layout, 1, 2, 0).Remark().isEmpty()); // only layer 1

    // A block into a larger selection is cut to the block's size; a source
    // key of type none is skipped.
    layout.SetSelection({2, 2, 4, 4});
    layout.Paste(clip, 1, false);
    EXPECT_EQ(layout.Selection(), (TRect{2, 2, 3, 3}));
    EXPECT_EQ(KeyAt(layout, 0, 1, 1).Remark(), QStringLiteral("a"));
    EXPECT_EQ(KeyAt(layout, 0, 2, 1).Remark(), QStringLiteral("b"));
    EXPECT_EQ(KeyAt(layout, 0, 1, 2).KeyType(), ktMacro);
}

TEST(Layout, PasteBetweenDifferentLayerCountsStaysInRange)
{
    TKeyboards keyboards;
    TLayout four;
    four.ApplyKeyboard(AddMatrixKeyboard(keyboards, 1, 2, 2, 4));
    TLayout two;
    two.ApplyKeyboard(AddMatrixKeyboard(keyboards, 2, 2, 2, 2));
    for (int l = 0; l < 4; ++l)
        KeyAt(four, l, 0, 0).SetRemark(QString::number(l));
    two.Paste(four, 0, false);
    EXPECT_EQ(KeyAt(two, 1, 0, 0).Remark(), QStringLiteral("1"));
    four.SetSelection({1, 1, 2, 2});
    two.SetSelection({1, 1, 2, 2});
    two.Paste(four, 0, false);
    EXPECT_EQ(KeyAt(two, 1, 0, 0).Remark(), QStringLiteral("1"));
    four.Paste(two, 0, false);
    EXPECT_EQ(KeyAt(four, 3, 0, 0).Remark(), QStringLiteral("3"));
    four.Paste(two, 4, false); // a layer that only one of them has
}

TEST(Layout, AssignCopiesEverythingAndKeyTypesFollowTheCell)
{
    TKeyboards keyboards;
    TKeyboard &k = AddMatrixKeyboard(keyboards, 3, 2, 2, 2, 3);
    k.HasReader = 1;
    k.Track2 = 1;
    TLayout source;
    source.ApplyKeyboard(k);
    FillKey(KeyAt(source, 1, 1, 1), QStringLiteral("r"));
    KeyAt(source, 0, 0, 0).Picture().SetText(QStringLiteral("текст"));
    source.Layers().Item(1).KeyLock().Item(2).Codes().SetText(QStringLiteral("+B -B"));
    source.Group({0, 0, 1, 0});
    source.SetSelection({1, 2, 2, 2});
    source.SetKeyTypeAll(1, 0, ktTempLayer2);
    source.SetVersion(0x0209);

    TLayout copy;
    copy.Assign(source);
    EXPECT_EQ(copy.KeyboardID(), 3);
    EXPECT_EQ(copy.Version(), 0x0209);
    EXPECT_EQ(copy.Selection(), source.Selection());
    EXPECT_EQ(copy.KeyPositions(), 3);
    EXPECT_TRUE(copy.Track2());
    EXPECT_EQ(KeyAt(copy, 1, 1, 1).MakeCodes().Text(), QStringLiteral("+A"));
    EXPECT_EQ(KeyAt(copy, 0, 0, 0).Picture().Text(), QStringLiteral("текст"));
    EXPECT_EQ(copy.Layers().Item(1).KeyLock().Item(2).Codes().Text(), QStringLiteral("+B -B"));
    EXPECT_EQ(KeyAt(copy, 0, 1, 0).KeyType(), ktTempLayer2);
    EXPECT_EQ(KeyAt(copy, 1, 1, 0).KeyType(), ktTempLayer2);
    EXPECT_EQ(copy.Groups().Count(), 1);
    EXPECT_TRUE(copy.IsModified());

    // Non-macro keys lose their codes when a loader tidies up.
    KeyAt(copy, 0, 1, 0).MakeCodes().SetText(QStringLiteral("+A -A"));
    copy.ClearNonMacroCodes();
    EXPECT_TRUE(KeyAt(copy, 0, 1, 0).MakeCodes().IsEmpty());
    EXPECT_FALSE(KeyAt(copy, 1, 1, 1).MakeCodes().IsEmpty());

    TLayout other;
    other.ApplyKeyboard(AddMatrixKeyboard(keyboards, 4, 2, 2, 3));
    EXPECT_THROW(other.AssignReader(source), EError);
    other.AssignKeyLock(source); // different layer counts: nothing happens
    EXPECT_EQ(other.Layers().Item(1).KeyLock().Count(), 0);
    source.Layers().Item(0).MSR().SetSendEnter(true);
    copy.AssignReader(source);
    EXPECT_TRUE(copy.Layers().Item(0).MSR().SendEnter());
}

TEST(Layout, WorkAreaIsTheMatrixForOneSelectedCell)
{
    TKeyboards keyboards;
    TLayout layout;
    layout.ApplyKeyboard(AddMatrixKeyboard(keyboards, 1, 5, 4, 1));
    EXPECT_EQ(layout.WorkArea(), (TRect{1, 1, 5, 4}));
    layout.SetSelection({2, 2, 3, 2});
    EXPECT_EQ(layout.WorkArea(), (TRect{2, 2, 3, 2}));
}

// Keys are found through tables made on the first lookup: they follow added
// keys, changed numbers and cells outside the matrix, and give the first
// key of a number or cell.
TEST(Layout, KeyLookupsFollowChangesOfTheKeys)
{
    TKeys keys;
    TKey &a = keys.Add(0, 0, 1);
    keys.Add(1, 0, 1);
    EXPECT_EQ(keys.KeyByNumber(1), &a);
    EXPECT_EQ(keys.KeyAt(1, 1), nullptr);
    TKey &b = keys.Add(1, 1, 5);
    EXPECT_EQ(keys.KeyAt(1, 1), &b);
    EXPECT_EQ(keys.KeyByNumber(5), &b);
    b.SetLogicalNumber(7);
    EXPECT_EQ(keys.KeyByNumber(5), nullptr);
    EXPECT_EQ(keys.KeyByNumber(7), &b);
    TKey &outside = keys.Add(-1, 2, 100000);
    EXPECT_EQ(keys.KeyAt(-1, 2), &outside);
    EXPECT_EQ(keys.KeyByNumber(100000), &outside);
    EXPECT_EQ(keys.KeyAt(1, 1), &b);
    keys.Clear();
    EXPECT_EQ(keys.KeyAt(0, 0), nullptr);
}
