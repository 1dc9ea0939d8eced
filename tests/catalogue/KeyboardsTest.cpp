#include "catalogue/Keyboards.h"
#include "base/Error.h"

#include <gtest/gtest.h>

namespace {

// Fills a description with every field set and a two-level parameter tree.
void FillSample(TKeyboard &keyboard, int id, int model)
{
    keyboard.ID = id;
    keyboard.Name = QStringLiteral("Sample_%1").arg(id);
    keyboard.Model = model;
    keyboard.Width = 5;
    keyboard.Height = 2;
    keyboard.KeyPos = 3;
    keyboard.Layers = 4;
    keyboard.Track1 = 1;
    keyboard.Track2 = 0;
    keyboard.Track3 = 1;
    keyboard.HasReader = 1;
    keyboard.HasKey = 1;
    keyboard.ClassName = QStringLiteral("Образец %1").arg(id);
    keyboard.MaxKeysNum = 16;
    keyboard.KeyDefs().Add(1, 1, 5);
    keyboard.KeyDefs().Add(5, 2, 1);
    TParamsGroup &outer = keyboard.ParamsGroups().Add(QStringLiteral("Конструкция"));
    outer.Params().Add(QStringLiteral("Исполнение"), QStringLiteral("настольное"));
    TParamsGroup &inner = outer.Groups().Add(QStringLiteral("Корпус"));
    inner.Params().Add(QStringLiteral("Ширина, мм"), QStringLiteral("300"));
}

void ExpectSameAsSample(const TKeyboard &copy, const TKeyboard &source)
{
    EXPECT_EQ(copy.ID, source.ID);
    EXPECT_EQ(copy.Name, source.Name);
    EXPECT_EQ(copy.Model, source.Model);
    EXPECT_EQ(copy.Width, source.Width);
    EXPECT_EQ(copy.Height, source.Height);
    EXPECT_EQ(copy.KeyPos, source.KeyPos);
    EXPECT_EQ(copy.Layers, source.Layers);
    EXPECT_EQ(copy.Track1, source.Track1);
    EXPECT_EQ(copy.Track2, source.Track2);
    EXPECT_EQ(copy.Track3, source.Track3);
    EXPECT_EQ(copy.HasReader, source.HasReader);
    EXPECT_EQ(copy.HasKey, source.HasKey);
    EXPECT_EQ(copy.ClassName, source.ClassName);
    EXPECT_EQ(copy.MaxKeysNum, source.MaxKeysNum);
    ASSERT_EQ(copy.KeyCount(), source.KeyCount());
    for (int i = 0; i < copy.KeyCount(); ++i) {
        EXPECT_EQ(copy.KeyDefs().Item(i).Left, source.KeyDefs().Item(i).Left);
        EXPECT_EQ(copy.KeyDefs().Item(i).Top, source.KeyDefs().Item(i).Top);
        EXPECT_EQ(copy.KeyDefs().Item(i).LogicalNumber, source.KeyDefs().Item(i).LogicalNumber);
    }
}

TEST(KeyboardTest, AssignMakesAnIndependentDeepCopy)
{
    TKeyboard source;
    FillSample(source, 3, 8);
    TKeyboard copy;
    copy.KeyDefs().Add(2, 2, 2);
    copy.ParamsGroups().Add(QStringLiteral("Старая"));
    copy.Assign(source);
    ExpectSameAsSample(copy, source);

    // The old content is replaced, and the copy's members belong to the copy.
    ASSERT_EQ(copy.ParamsGroups().Count(), 1);
    TParamsGroup &outer = copy.ParamsGroups().Item(0);
    EXPECT_EQ(outer.Name, QStringLiteral("Конструкция"));
    EXPECT_EQ(outer.Owner(), &copy.ParamsGroups());
    ASSERT_EQ(outer.Params().Count(), 1);
    EXPECT_EQ(outer.Params().Item(0).Value, QStringLiteral("настольное"));
    EXPECT_EQ(outer.Params().Item(0).Owner(), &outer.Params());
    ASSERT_EQ(outer.Groups().Count(), 1);
    EXPECT_EQ(outer.Groups().Item(0).Owner(), &outer.Groups());
    EXPECT_EQ(outer.Groups().Item(0).Params().Item(0).Name, QStringLiteral("Ширина, мм"));
    EXPECT_EQ(copy.KeyDefs().Item(0).Owner(), &copy.KeyDefs());

    // Changing or freeing the source leaves the copy as it was.
    source.KeyDefs().Item(0).Left = 4;
    source.ParamsGroups().Item(0).Groups().Item(0).Name = QStringLiteral("Другое");
    source.Clear();
    EXPECT_EQ(copy.KeyDefs().Item(0).Left, 1);
    EXPECT_EQ(outer.Groups().Item(0).Name, QStringLiteral("Корпус"));

    copy.Assign(copy);
    EXPECT_EQ(copy.KeyCount(), 2);
}

TEST(KeyboardTest, ParamsGroupAssignFromItsOwnSubtree)
{
    TParamsGroup group;
    group.Name = QStringLiteral("Внешняя");
    TParamsGroup &inner = group.Groups().Add(QStringLiteral("Внутренняя"));
    inner.Params().Add(QStringLiteral("А"), QStringLiteral("1"));
    inner.Groups().Add(QStringLiteral("Глубже"));
    group.Assign(inner);
    EXPECT_EQ(group.Name, QStringLiteral("Внутренняя"));
    ASSERT_EQ(group.Params().Count(), 1);
    EXPECT_EQ(group.Params().Item(0).Value, QStringLiteral("1"));
    ASSERT_EQ(group.Groups().Count(), 1);
    EXPECT_EQ(group.Groups().Item(0).Name, QStringLiteral("Глубже"));
}

TEST(KeyboardsTest, LookupsFindTheFirstMatchOrRaise)
{
    TKeyboards keyboards;
    FillSample(keyboards.Add(), 1, 10);
    FillSample(keyboards.Add(), 2, 20);
    FillSample(keyboards.Add(), 2, 10);
    ASSERT_EQ(keyboards.Count(), 3);
    EXPECT_EQ(keyboards.Item(1).Owner(), &keyboards);

    EXPECT_EQ(keyboards.FindByID(2), &keyboards.Item(1));
    EXPECT_EQ(keyboards.FindByModel(10), &keyboards.Item(0));
    EXPECT_EQ(&keyboards.ByID(2), &keyboards.Item(1));
    EXPECT_EQ(&keyboards.ByModel(20), &keyboards.Item(1));
    EXPECT_EQ(keyboards.FindByID(3), nullptr);
    EXPECT_EQ(keyboards.FindByModel(2), nullptr);

    try {
        keyboards.ByID(-5);
        FAIL() << "ByID must raise";
    } catch (const EError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Не найдено описание клавиатуры с идентификатором -5."));
    }
    try {
        keyboards.ByModel(30);
        FAIL() << "ByModel must raise";
    } catch (const EError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Не найдено описание клавиатуры с кодом модели 30."));
    }

    keyboards.Clear();
    EXPECT_EQ(keyboards.Count(), 0);
    EXPECT_EQ(keyboards.FindByID(1), nullptr);
}

TEST(KeyboardsTest, SelectModelCopiesTheMatchingDescriptions)
{
    TKeyboards keyboards;
    FillSample(keyboards.Add(), 1, 10);
    FillSample(keyboards.Add(), 2, 20);
    FillSample(keyboards.Add(), 3, 10);

    TKeyboards target;
    FillSample(target.Add(), 9, 99);
    keyboards.SelectModel(10, target);
    ASSERT_EQ(target.Count(), 2);
    EXPECT_EQ(target.Item(0).ID, 1);
    EXPECT_EQ(target.Item(1).ID, 3);
    EXPECT_EQ(target.Item(1).Owner(), &target);
    ExpectSameAsSample(target.Item(1), keyboards.Item(2));

    // Copies, not shared members.
    EXPECT_NE(&target.Item(0), &keyboards.Item(0));
    target.Item(0).KeyDefs().Clear();
    EXPECT_EQ(keyboards.Item(0).KeyCount(), 2);

    keyboards.SelectModel(55, target);
    EXPECT_EQ(target.Count(), 0);

    keyboards.SelectModel(20, keyboards);
    ASSERT_EQ(keyboards.Count(), 1);
    EXPECT_EQ(keyboards.Item(0).ID, 2);
    EXPECT_EQ(keyboards.Item(0).Owner(), &keyboards);
}

} // namespace
