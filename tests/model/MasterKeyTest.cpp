#include "LayoutTestKeyboards.h"

#include "model/Key.h"
#include "model/KeyPicture.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/MasterKey.h"
#include "model/Notes.h"
#include "model/ScanCodes.h"

#include <gtest/gtest.h>

namespace {

struct TTwoLayerLayout {
    TKeyboards Keyboards;
    TLayout Layout;
    TTwoLayerLayout() { Layout.ApplyKeyboard(AddMatrixKeyboard(Keyboards, 1, 3, 2, 2)); }
    TKey &Key(int layer, int col, int row) { return Layout.Layers().Item(layer).KeyAtOrFail(col, row); }
};

} // namespace

TEST(MasterKey, LoadKeepsWhatTheSelectedKeysShare)
{
    TTwoLayerLayout t;
    t.Key(0, 0, 0).SetRemark(QStringLiteral("one"));
    t.Key(0, 1, 0).SetRemark(QStringLiteral("two"));
    for (int c = 0; c < 2; ++c) {
        t.Key(0, c, 0).MakeCodes().SetText(QStringLiteral("+A"));
        t.Key(0, c, 0).SetAutoRepeat(c == 0);
    }
    t.Key(0, 0, 0).BreakCodes().SetText(QStringLiteral("-A"));
    t.Key(0, 0, 0).Picture().SetText(QStringLiteral("первая"));
    t.Layout.SetSelection({1, 1, 2, 1});

    TMasterKey master;
    t.Layout.LoadMaster(master);
    EXPECT_EQ(master.Col, 0);
    EXPECT_TRUE(master.Remark().Value().isEmpty());
    EXPECT_EQ(master.MakeCodes().Text(), QStringLiteral("+A"));
    EXPECT_TRUE(master.BreakCodes().IsEmpty());
    EXPECT_FALSE(master.AutoRepeat().Value());
    EXPECT_EQ(master.KeyType().Value(), ktMacro);
    EXPECT_EQ(master.Picture().Text(), QStringLiteral("первая"));
    EXPECT_FALSE(master.IsModified());

    // Applying after changing only the melody leaves both remarks.
    master.Melody().SetText(QStringLiteral("C1;10;5"));
    EXPECT_TRUE(master.IsModified());
    t.Layout.ApplyMaster(master, false);
    EXPECT_EQ(t.Key(0, 0, 0).Remark(), QStringLiteral("one"));
    EXPECT_EQ(t.Key(0, 1, 0).Remark(), QStringLiteral("two"));
    EXPECT_EQ(t.Key(0, 1, 0).Melody().Text(), QStringLiteral("C1;10;5"));
    EXPECT_TRUE(t.Key(0, 0, 0).AutoRepeat()); // unchanged values are not written
    EXPECT_TRUE(t.Key(1, 0, 0).Melody().IsEmpty()); // a macro master touches its layer only
}

TEST(MasterKey, DifferentTypesGiveNoTypeAndApplyChangesNone)
{
    TTwoLayerLayout t;
    t.Key(0, 0, 0).SetKeyType(ktLayerDown);
    t.Layout.SetSelection({1, 1, 2, 1});
    TMasterKey master;
    t.Layout.LoadMaster(master);
    EXPECT_EQ(master.KeyType().Value(), ktNone);
    EXPECT_TRUE(master.IsModified()); // left marked changed on purpose
    master.Remark().SetValue(QStringLiteral("общая"));
    t.Layout.ApplyMaster(master, false);
    EXPECT_EQ(t.Key(0, 0, 0).KeyType(), ktLayerDown);
    EXPECT_EQ(t.Key(0, 1, 0).KeyType(), ktMacro);
    EXPECT_EQ(t.Key(0, 0, 0).Remark(), QStringLiteral("общая"));
    EXPECT_EQ(t.Key(1, 1, 0).Remark(), QStringLiteral("общая")); // no type: every layer

    // A selection reaching a cell without a key leaves the master cleared.
    TKeyboards keyboards;
    TLayout sparse;
    sparse.ApplyKeyboard(AddKeyboard(keyboards, 5, 2, 1, 1, {{1, 1, 1}}));
    sparse.Layers().Item(0).KeyAtOrFail(0, 0).SetRemark(QStringLiteral("x"));
    sparse.SetSelection({1, 1, 2, 1});
    sparse.LoadMaster(master);
    EXPECT_TRUE(master.Remark().Value().isEmpty());
    EXPECT_FALSE(master.IsModified());
}

TEST(MasterKey, LayerKeyTypesApplyToEveryLayerAndPicturesToTheFirst)
{
    TTwoLayerLayout t;
    t.Layout.SetSelection({2, 2, 3, 2});
    TMasterKey master;
    master.Layer = 1;
    t.Layout.LoadMaster(master);
    master.KeyType().SetValue(ktLayerUp);
    master.BreakCodes().SetText(QStringLiteral("-B"));
    t.Layout.ApplyMaster(master, false);
    for (int l = 0; l < 2; ++l)
        for (int c = 1; c < 3; ++c) {
            EXPECT_EQ(t.Key(l, c, 1).KeyType(), ktLayerUp);
            EXPECT_EQ(t.Key(l, c, 1).BreakCodes().Text(), QStringLiteral("-B"));
        }
    EXPECT_EQ(master.Layer, 1); // left at the last layer
    EXPECT_EQ(t.Key(0, 0, 1).KeyType(), ktMacro);

    t.Layout.LoadMaster(master);
    master.Picture().SetBackgroundColor(0x00FF00);
    master.Picture().SetText(QStringLiteral("Итог"));
    t.Layout.ApplyMaster(master, true);
    EXPECT_EQ(master.Layer, 0);
    EXPECT_EQ(t.Key(0, 1, 1).Picture().Text(), QStringLiteral("Итог"));
    EXPECT_EQ(t.Key(0, 2, 1).Picture().BackgroundColor(), 0x00FF00u);
    EXPECT_TRUE(t.Key(1, 1, 1).Picture().Text().isEmpty());

    // Nothing changed: nothing applied, no notification.
    t.Layout.ResetModified();
    t.Layout.LoadMaster(master);
    t.Layout.ApplyMaster(master, false);
    EXPECT_FALSE(t.Layout.IsModified());
}

TEST(MasterKey, KeysOfDifferentTypesKeepTheirPicturesWhenOnlyTheFontChanges)
{
    TTwoLayerLayout t;
    t.Key(0, 0, 0).SetKeyType(ktLayerDown);
    t.Key(0, 0, 0).Picture().SetText(QStringLiteral("первая"));
    t.Key(0, 1, 0).Picture().SetText(QStringLiteral("вторая"));
    t.Key(0, 1, 0).Picture().SetBackgroundColor(0x0000FF);
    t.Layout.SetSelection({1, 1, 2, 1});
    TMasterKey master;
    t.Layout.LoadMaster(master);
    // The master shows the first key's picture, but none of it counts as changed.
    EXPECT_EQ(master.Picture().Text(), QStringLiteral("первая"));
    EXPECT_FALSE(master.Picture().IsChanged());
    TFont font;
    font.SetName(QStringLiteral("DejaVu Serif"));
    master.Picture().SetFont(font);
    t.Layout.ApplyMaster(master, true);
    EXPECT_EQ(t.Key(0, 1, 0).Picture().Text(), QStringLiteral("вторая"));
    EXPECT_EQ(t.Key(0, 1, 0).Picture().BackgroundColor(), 0x0000FFu);
    EXPECT_EQ(t.Key(0, 1, 0).Picture().Font().Name(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(t.Key(0, 0, 0).KeyType(), ktLayerDown);
}
