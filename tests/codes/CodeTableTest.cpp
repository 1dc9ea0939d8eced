#include "base/HexText.h"
#include "codes/CodeSet.h"
#include "codes/KeyText.h"
#include "codes/StdCodes.h"

#include <gtest/gtest.h>
#include <set>

namespace {

QByteArray Hex(const char16_t *text)
{
    return HexToBytes(QStringView(text));
}

struct TBuiltIn {
    TCodeSet Set;
    TCodeTable Flat;
    TBuiltIn()
    {
        Set.LoadBuiltIn();
        Flat.BuildFrom(Set);
    }
};

const TStdCode *FindEntry(const TCodeTable &table, const QString &name)
{
    for (int i = 0; i < table.Count(); ++i)
        if (table.Item(i).Name == name)
            return &table.Item(i);
    return nullptr;
}

TKeyMessage Message(TKeyMessageKind kind, uint8_t scan, bool extended, int repeat = 1, bool wasDown = false)
{
    return {kind, TKeyMessage::MakeKeyData(scan, extended, repeat, wasDown)};
}

} // namespace

TEST(BuiltInCodes, GroupsOrderAndMaxCodeLength)
{
    const TBuiltIn b;
    const std::vector<std::pair<QString, int>> groups = {{QStringLiteral("Алфавитные английские"), 26},
                                                         {QStringLiteral("Цифры"), 10},
                                                         {QStringLiteral("Символы"), 11},
                                                         {QStringLiteral("Управляющие клавиши"), 40},
                                                         {QStringLiteral("Keypad"), 17},
                                                         {QStringLiteral("Управление питанием"), 3},
                                                         {QStringLiteral("Мультимедиа"), 11},
                                                         {QStringLiteral("WWW"), 7}};
    ASSERT_EQ(b.Set.Count(), 8);
    for (int g = 0; g < 8; ++g) {
        EXPECT_EQ(b.Set.Item(g).Name, groups[size_t(g)].first);
        EXPECT_EQ(b.Set.Item(g).Count(), groups[size_t(g)].second) << g;
        EXPECT_EQ(b.Set.Item(g).MaxCodeLength(), 0);
    }
    ASSERT_EQ(b.Flat.Count(), 125);
    EXPECT_EQ(b.Flat.MaxCodeLength(), 8);

    // Names of the flat table in order, sampled at the group edges.
    const std::vector<std::pair<int, QString>> names = {
        {0, u"A"_qs},           {25, u"Z"_qs},           {26, u"0"_qs},           {35, u"9"_qs},
        {36, u"'"_qs},          {39, u"\\"_qs},          {43, u"'"_qs},           {46, u"/"_qs},
        {47, u"Backspace"_qs},  {61, u"ESC"_qs},         {62, u"F1"_qs},          {73, u"F12"_qs},
        {74, u"Scroll"_qs},     {85, u"PrintScrn"_qs},   {86, u"Pause/Break"_qs}, {87, u"NumLock"_qs},
        {93, u"<.>"_qs},        {94, u"<0>"_qs},         {103, u"<9>"_qs},        {104, u"Power"_qs},
        {107, u"NextTrack"_qs}, {117, u"MyComputer"_qs}, {118, u"WWWSearch"_qs},  {124, u"WWWFavorites"_qs}};
    for (const auto &[index, name] : names)
        EXPECT_EQ(b.Flat.Item(index).Name, name) << index;

    // BuildFrom replaces what the table held.
    TCodeTable again;
    again.BuildFrom(b.Set);
    again.BuildFrom(b.Set);
    EXPECT_EQ(again.Count(), 125);
}

TEST(BuiltInCodes, TellingRowsAndIrregularKeys)
{
    const TBuiltIn b;
    struct TRow {
        QString Name;
        const char16_t *Make, *Break, *Scan;
    };
    const TRow rows[] = {
        {u"A"_qs, u"1C", u"F0 1C", u"1E"},
        {u"RCtrl"_qs, u"E0 14", u"E0 F0 14", u"E0 1D"},
        {u"F7"_qs, u"83", u"F0 83", u"41"},
        {u"</>"_qs, u"E0 4A", u"E0 F0 4A", u"E0 35"},
        {u"<Enter>"_qs, u"E0 5A", u"E0 F0 5A", u"E0 1C"},
        {u"Power"_qs, u"E0 37", u"E0 F0 37", u"E0 5E"},
        {u"Sleep"_qs, u"E0 3F", u"E0 F0 3F", u"E0 5F"},
        {u"Wake"_qs, u"E0 5E", u"E0 F0 5E", u"E0 63"},
        {u"WWWSearch"_qs, u"E0 10", u"E0 F0 10", u"E0 65"},
        {u"WWWFavorites"_qs, u"E0 18", u"E0 F0 18", u"E0 66"},
        {u"MyComputer"_qs, u"E0 40", u"E0 F0 40", u"E0 6B"},
        {u"MediaSelect"_qs, u"E0 50", u"E0 F0 50", u"E0 6D"},
        {u"E-Mail"_qs, u"E0 48", u"E0 F0 48", u"E0 6C"},
        {u"Calculator"_qs, u"E0 2B", u"E0 F0 2B", u"E0 21"},
        {u"PrintScrn"_qs, u"E0 12 E0 7C", u"E0 F0 7C E0 F0 12", u"E0 37"},
        {u"Pause/Break"_qs, u"E1 14 77 E1 F0 14 F0 77", u"", u"45"},
        {u"NumLock"_qs, u"77", u"F0 77", u"E0 45"},
        {u"'"_qs, u"0E", u"F0 0E", u"29"},
        {u"LShift"_qs, u"12", u"F0 12", u"2A"},
        {u"<*>"_qs, u"7C", u"F0 7C", u"37"},
    };
    for (const TRow &row : rows) {
        const TStdCode *e = FindEntry(b.Flat, row.Name);
        ASSERT_NE(e, nullptr) << row.Name.toStdString();
        EXPECT_EQ(e->MakeCode, Hex(row.Make)) << row.Name.toStdString();
        EXPECT_EQ(e->BreakCode, Hex(row.Break)) << row.Name.toStdString();
        EXPECT_EQ(e->ScanCode, Hex(row.Scan)) << row.Name.toStdString();
    }

    // A typing slip in the table shows up as a shared code: every key has its
    // own make code and its own scan code, and the regular ones break by rule.
    std::set<QByteArray> makes, scans;
    for (int i = 0; i < b.Flat.Count(); ++i) {
        const TStdCode &e = b.Flat.Item(i);
        EXPECT_TRUE(makes.insert(e.MakeCode).second) << e.Name.toStdString();
        EXPECT_TRUE(scans.insert(e.ScanCode).second) << e.Name.toStdString();
        if (e.Name == u"PrintScrn" || e.Name == u"Pause/Break")
            continue;
        QByteArray rule = e.MakeCode;
        rule.insert(rule.size() - 1, char(0xF0));
        EXPECT_EQ(e.BreakCode, rule) << e.Name.toStdString();
        if (e.Name != u"NumLock") {
            EXPECT_EQ(e.MakeCode.startsWith(char(0xE0)), e.ScanCode.startsWith(char(0xE0)))
                << e.Name.toStdString();
        }
    }
}

TEST(CodeTable, Lookups)
{
    const TBuiltIn b;
    const auto rctrl = b.Flat.FindByName(u"rctrl", false);
    ASSERT_TRUE(rctrl);
    EXPECT_EQ(rctrl->Name, u"RCtrl");
    EXPECT_EQ(rctrl->Data(), Hex(u"E0 14"));
    EXPECT_EQ(rctrl->CodeType, ctMake);
    EXPECT_EQ(rctrl->ScanCode, Hex(u"E0 1D"));
    EXPECT_EQ(rctrl->Owner(), nullptr);

    const auto quoteBreak = b.Flat.FindByName(u"'", true);
    ASSERT_TRUE(quoteBreak);
    EXPECT_EQ(quoteBreak->Data(), Hex(u"F0 0E"));
    EXPECT_EQ(quoteBreak->CodeType, ctBreak);
    EXPECT_FALSE(b.Flat.FindByName(u"NoSuchKey", false));
    EXPECT_FALSE(b.Flat.FindByName(u"", false));

    EXPECT_EQ(b.Flat.FindMake(Hex(u"E0 14"))->Name, u"RCtrl");
    EXPECT_EQ(b.Flat.FindMake(Hex(u"14"))->Name, u"LCtrl");
    EXPECT_FALSE(b.Flat.FindMake(Hex(u"E0")));
    const auto lshiftBreak = b.Flat.FindBreak(Hex(u"F0 12"));
    ASSERT_TRUE(lshiftBreak);
    EXPECT_EQ(lshiftBreak->Name, u"LShift");
    EXPECT_EQ(lshiftBreak->CodeType, ctBreak);
    EXPECT_EQ(lshiftBreak->ScanCode, Hex(u"2A"));
    EXPECT_FALSE(b.Flat.FindBreak(QByteArray()));
    EXPECT_FALSE(b.Flat.FindBreak(Hex(u"E1 14 77 E1 F0 14 F0 77")));

    const auto numLock = b.Flat.FindByScanCode(Hex(u"E0 45"), true);
    ASSERT_TRUE(numLock);
    EXPECT_EQ(numLock->Name, u"NumLock");
    EXPECT_EQ(numLock->Data(), Hex(u"F0 77"));
    EXPECT_EQ(b.Flat.FindByScanCode(Hex(u"45"), false)->Name, u"Pause/Break");
    EXPECT_FALSE(b.Flat.FindByScanCode(Hex(u"E0"), false));
}

TEST(CodeTable, CodeForKeyMessage)
{
    const TBuiltIn b;
    using K = TKeyMessageKind;
    const auto down = b.Flat.CodeForKeyMessage(Message(K::KeyDown, 0x1D, true), kcBoth);
    ASSERT_TRUE(down);
    EXPECT_EQ(down->Data(), Hex(u"E0 14"));
    EXPECT_EQ(down->CodeType, ctMake);
    const auto up = b.Flat.CodeForKeyMessage(Message(K::KeyUp, 0x1D, true, 1, true), kcBoth);
    ASSERT_TRUE(up);
    EXPECT_EQ(up->Data(), Hex(u"E0 F0 14"));
    EXPECT_EQ(up->CodeType, ctBreak);
    EXPECT_FALSE(b.Flat.CodeForKeyMessage(Message(K::KeyDown, 0x1D, true, 1, true), kcBoth));

    // Without the extended bit the same scan byte is the left Ctrl.
    EXPECT_EQ(b.Flat.CodeForKeyMessage(Message(K::SysKeyDown, 0x1D, false), kcPresses)->Name, u"LCtrl");
    EXPECT_EQ(b.Flat.CodeForKeyMessage(Message(K::SysKeyUp, 0x38, true), kcReleases)->Name, u"RAlt");
    EXPECT_FALSE(b.Flat.CodeForKeyMessage(Message(K::KeyDown, 0x1E, false), kcReleases));
    EXPECT_FALSE(b.Flat.CodeForKeyMessage(Message(K::KeyUp, 0x1E, false), kcPresses));
    EXPECT_FALSE(b.Flat.CodeForKeyMessage(Message(K::KeyDown, 0x1E, false, 2), kcBoth));
    EXPECT_FALSE(b.Flat.CodeForKeyMessage(Message(K::KeyDown, 0x1E, false, 0), kcBoth));
    EXPECT_FALSE(b.Flat.CodeForKeyMessage(Message(K::Other, 0x1E, false), kcBoth));
    EXPECT_FALSE(b.Flat.CodeForKeyMessage(Message(K::KeyDown, 0x7F, false), kcBoth));
}

TEST(CodeTable, EntryMovesBetweenTables)
{
    TCodeTable first(u"first"_qs), second(u"second"_qs);
    TStdCode &a = first.Add(u"A"_qs, Hex(u"1E"), Hex(u"F0 1C"), Hex(u"1C"));
    first.Add(u"B"_qs, Hex(u"30"), Hex(u"F0 32"), Hex(u"32"));
    EXPECT_EQ(a.Table(), &first);
    a.SetTable(&second);
    EXPECT_EQ(a.Table(), &second);
    ASSERT_EQ(first.Count(), 1);
    EXPECT_EQ(first.Item(0).Name, u"B");
    ASSERT_EQ(second.Count(), 1);
    EXPECT_EQ(&second.Item(0), &a);
    // Lookups follow the entry to its new table.
    EXPECT_FALSE(first.FindMake(Hex(u"1C")));
    EXPECT_EQ(second.FindBreak(Hex(u"F0 1C"))->Name, u"A");

    const std::unique_ptr<TStdCode> free(&second.Item(0));
    free->SetTable(nullptr);
    EXPECT_EQ(second.Count(), 0);
    EXPECT_EQ(free->Table(), nullptr);
    EXPECT_FALSE(second.FindMake(Hex(u"1C")));
    EXPECT_EQ(second.EntryByCode(Hex(u"F0 1C"), true), nullptr);
}

TEST(CodeTable, FirstEntryOfACodeWins)
{
    TCodeTable table;
    TStdCode &b = table.Add(u"B"_qs, Hex(u"30"), Hex(u"F0 32"), Hex(u"32"));
    table.Add(u"B2"_qs, Hex(u"31"), Hex(u"F0 32"), Hex(u"32"));
    EXPECT_EQ(table.FindMake(Hex(u"32"))->Name, u"B");
    EXPECT_EQ(table.EntryByCode(Hex(u"F0 32"), true), &b);
    const std::unique_ptr<TStdCode> removed(&b);
    b.SetTable(nullptr);
    EXPECT_EQ(table.FindMake(Hex(u"32"))->Name, u"B2");
    EXPECT_EQ(table.FindBreak(Hex(u"F0 32"))->ScanCode, Hex(u"31"));
    table.Clear();
    EXPECT_FALSE(table.FindMake(Hex(u"32")));
}

// The table keeps the key texts of its items; a change of the table must
// make them anew.
TEST(CodeTable, KeyTextsFollowChangesOfTheTable)
{
    TCodeTable table;
    TStdCode &first = table.Add(u"X"_qs, Hex(u"2D"), Hex(u"F0 22"), Hex(u"22"));
    const TStdCode &second = table.Add(u"X"_qs, Hex(u"2E"), Hex(u"F0 23"), Hex(u"23"));
    EXPECT_EQ(KeyText(table, second.Item(false)), u"$23");
    EXPECT_EQ(KeyText(table, second.Item(true)), u"$F023");
    const std::unique_ptr<TStdCode> removed(&first);
    first.SetTable(nullptr);
    EXPECT_EQ(KeyText(table, second.Item(false)), u"X");
    EXPECT_EQ(KeyText(table, second.Item(true)), u"X");
}

TEST(CodeTable, NameLookupIgnoresLetterCaseAndFindsTheFirstEntry)
{
    TCodeTable table;
    TStdCode &first = table.Add(u"Tab"_qs, Hex(u"0F"), Hex(u"F0 0D"), Hex(u"0D"));
    table.Add(u"TAB"_qs, Hex(u"10"), Hex(u"F0 0E"), Hex(u"0E"));
    EXPECT_EQ(table.FindByName(u"tAB", false)->ScanCode, Hex(u"0F"));
    EXPECT_EQ(table.FindByName(u"tab", true)->Data(), Hex(u"F0 0D"));
    EXPECT_FALSE(table.FindByName(u"Ta", false));
    EXPECT_FALSE(table.FindByName(u"Tabs", false));
    const std::unique_ptr<TStdCode> removed(&first);
    first.SetTable(nullptr);
    EXPECT_EQ(table.FindByName(u"Tab", false)->ScanCode, Hex(u"10"));
    // A name beyond ASCII folds as Qt folds it: the Kelvin sign is a "k".
    table.Add(u"Ключ\u212A"_qs, Hex(u"20"), Hex(u"F0 21"), Hex(u"21"));
    EXPECT_EQ(table.FindByName(u"клЮЧk", false)->ScanCode, Hex(u"20"));
    table.Add(u"\u212Aey"_qs, Hex(u"22"), Hex(u"F0 23"), Hex(u"23"));
    EXPECT_EQ(table.FindByName(u"KEY", false)->ScanCode, Hex(u"22"));
    EXPECT_EQ(table.FindByName(u"tab", false)->ScanCode, Hex(u"10"));
}

TEST(StdCodes, InstalledTableReplacesBuiltIn)
{
    EXPECT_EQ(StdCodeTable().Count(), 125);
    auto own = std::make_unique<TCodeTable>();
    own->Add(u"Only"_qs, Hex(u"01"), Hex(u"F0 01"), Hex(u"01"));
    InstallStdCodeTable(std::move(own));
    EXPECT_EQ(StdCodeTable().Count(), 1);
    EXPECT_TRUE(StdCodeTable().FindByName(u"only", false));
    InstallStdCodeTable(nullptr);
    EXPECT_EQ(StdCodeTable().Count(), 125);
    EXPECT_EQ(StdCodeTable().MaxCodeLength(), 8);
}
