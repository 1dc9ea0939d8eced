#include "FilesTestData.h"

#include "files/XMLLayout.h"
#include "files/XMLLayout13.h"
#include "model/Key.h"
#include "model/KeyGroup.h"
#include "model/KeyLock.h"
#include "model/KeyPicture.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/MSR.h"
#include "model/Notes.h"
#include "model/ScanCodes.h"

#include <QStringList>

namespace {

// A make item of two bytes the code table does not list as one key, as the
// old tools produced for extended keys.
void AddExtendedMake(TScanCodes &codes, QByteArrayView bytes, const QString &name)
{
    TScanCode &item = codes.Add();
    item.SetData(bytes.toByteArray());
    item.CodeType = ctMake;
    item.Name = name;
}

// The test model 7: two keys, two layers, two key lock positions.
std::unique_ptr<TLayout> MakeLayout()
{
    auto layout = std::make_unique<TLayout>();
    layout->ChangeKeyboard(TestModels().ByID(7));
    layout->SetSelection(TRect{1, 1, 2, 1});
    TLayer &layer = layout->Layers().Item(0);
    TKey &key = layer.Keys().Item(0);
    key.SetRemark(QStringLiteral("Итог"));
    key.SetAutoRepeat(true);
    key.MakeCodes().SetText(u"+LShift +A -A -LShift");
    AddExtendedMake(key.MakeCodes(), "\xE0\x4B", QStringLiteral("Left"));
    key.BreakCodes().SetText(u"E0");
    TNote &note = key.Melody().Add();
    note.SetPitch(13);
    note.SetDuration(10);
    note.SetVolume(5);
    key.Picture().SetText(QStringLiteral("Итог"));
    layer.MSR().SetSendEnter(true);
    layer.MSR().Track(0).Prefix().SetText(u"+F1 -F1");
    TKeyPosition &position = layer.KeyLock().Item(0);
    position.SetPositionType(2);
    position.SetLocked(true);
    position.Codes().SetText(u"+B -B");
    layout->Group(TRect{0, 0, 1, 0});
    return layout;
}

QString Lines(const QStringList &lines)
{
    return lines.join(QStringLiteral("\r\n"));
}

const QString kEmptyReader = Lines({
    QStringLiteral("        <MSR ПосылатьEnter=\"0\" СтопПриОшибке=\"0\">"),
    QStringLiteral("          <Трек1 Включен=\"1\"/>"),
    QStringLiteral("          <Трек2 Включен=\"0\"/>"),
    QStringLiteral("          <Трек3 Включен=\"1\"/>"),
    QStringLiteral("        </MSR>"),
});

const QString kEmptyKeyLock = Lines({
    QStringLiteral("        <KeyLock>"),
    QStringLiteral("          <Позиция Номер=\"1\" ТипПоложения=\"0\" Блокировка=\"0\"/>"),
    QStringLiteral("          <Позиция Номер=\"2\" ТипПоложения=\"0\" Блокировка=\"0\"/>"),
    QStringLiteral("        </KeyLock>"),
});

} // namespace

TEST(XMLLayout13, WritesTheOldElementForm)
{
    const std::unique_ptr<TLayout> layout = MakeLayout();
    TXMLLayout13 format(nullptr, TestModels());

    // Model 7 is written as 6; empty keys and pictures are left out; make
    // codes become "СканКод" elements (E0h 4Bh as 75 with extended code 224),
    // releases and bytes vanish; the reader has no light indication.
    const QString body = Lines({
        QStringLiteral("    <Параметры Параметры=\"6\" STop=\"1\" SLeft=\"1\" SRight=\"2\" SBottom=\"1\"/>"),
        QStringLiteral("    <Слои>"),
        QStringLiteral("      <Слой>"),
        QStringLiteral("        <Клавиши>"),
        QStringLiteral("          <Клавиша Номер=\"1\" Колонка=\"0\" Ряд=\"0\" Примечание=\"Итог\" "
                       "РазрешениеПовтора=\"1\" ТипКлавиши=\"1\">"),
        QStringLiteral("            <КодыНажатия>"),
        QStringLiteral("              <СканКод Номер=\"1\" Код=\"18\" РасширенныйКод=\"0\" Текст=\"LShift\"/>"),
        QStringLiteral("              <СканКод Номер=\"2\" Код=\"28\" РасширенныйКод=\"0\" Текст=\"A\"/>"),
        QStringLiteral("              <СканКод Номер=\"3\" Код=\"75\" РасширенныйКод=\"224\" Текст=\"Left\"/>"),
        QStringLiteral("            </КодыНажатия>"),
        QStringLiteral("            <КодыОтжатия/>"),
        QStringLiteral("            <Ноты>"),
        QStringLiteral("              <Нота Номер=\"1\" Нота=\"13\" Длительность=\"10\" Громкость=\"5\"/>"),
        QStringLiteral("            </Ноты>"),
        QStringLiteral("          </Клавиша>"),
        QStringLiteral("        </Клавиши>"),
        QStringLiteral("        <MSR ПосылатьEnter=\"1\" СтопПриОшибке=\"0\">"),
        QStringLiteral("          <Трек1 Включен=\"1\">"),
        QStringLiteral("            <Префикс>"),
        QStringLiteral("              <СканКод Номер=\"1\" Код=\"5\" РасширенныйКод=\"0\" Текст=\"F1\"/>"),
        QStringLiteral("            </Префикс>"),
        QStringLiteral("          </Трек1>"),
        QStringLiteral("          <Трек2 Включен=\"0\"/>"),
        QStringLiteral("          <Трек3 Включен=\"1\"/>"),
        QStringLiteral("        </MSR>"),
        QStringLiteral("        <KeyLock>"),
        QStringLiteral("          <Позиция Номер=\"1\" ТипПоложения=\"2\" Блокировка=\"1\">"),
        QStringLiteral("            <СканКоды>"),
        QStringLiteral("              <СканКод Номер=\"1\" Код=\"50\" РасширенныйКод=\"0\" Текст=\"B\"/>"),
        QStringLiteral("            </СканКоды>"),
        QStringLiteral("          </Позиция>"),
        QStringLiteral("          <Позиция Номер=\"2\" ТипПоложения=\"0\" Блокировка=\"0\"/>"),
        QStringLiteral("        </KeyLock>"),
        QStringLiteral("      </Слой>"),
        QStringLiteral("      <Слой>"),
        QStringLiteral("        <Клавиши/>"),
        kEmptyReader,
        kEmptyKeyLock,
        QStringLiteral("      </Слой>"),
        QStringLiteral("    </Слои>"),
        QStringLiteral("    <Группы>"),
        QStringLiteral("      <Группа Top=\"0\" Left=\"0\" Right=\"1\" Bottom=\"0\"/>"),
        QStringLiteral("    </Группы>"),
    });
    const QByteArray written = format.SaveToString(*layout);
    // Compared as text for a readable failure; the code page maps bytes to
    // characters one to one, so equal texts are equal bytes.
    EXPECT_EQ(FromWin1251(written).toStdString(), FromWin1251(LayoutDocument(QString(), body)).toStdString());
}

TEST(XMLLayout13, ReadsBackAsAFileWithoutVersion)
{
    const std::unique_ptr<TLayout> layout = MakeLayout();
    // The file numbers keys by list position, which is no logical number:
    // renumbered keys come back with the numbers of the model.
    layout->Layers().Item(0).Keys().Item(0).SetLogicalNumber(2);
    layout->Layers().Item(0).Keys().Item(1).SetLogicalNumber(1);
    layout->Layers().Item(1).Keys().Item(1).MakeCodes().SetText(u"+Up -Up");

    TXMLLayout13 writer(nullptr, TestModels());
    TXMLLayout reader(nullptr, TestModels());
    TLayout loaded;
    reader.LoadFromString(loaded, writer.SaveToString(*layout));

    EXPECT_EQ(reader.FileVersion(), 0);
    EXPECT_EQ(loaded.KeyboardID(), 7);
    EXPECT_EQ(loaded.Groups().Count(), 1);
    const TLayer &first = loaded.Layers().Item(0);
    const TKey &key = first.Keys().Item(0);
    EXPECT_EQ(key.LogicalNumber(), 1);
    EXPECT_EQ(key.Remark(), QStringLiteral("Итог"));
    EXPECT_TRUE(key.AutoRepeat());
    EXPECT_EQ(key.Melody().Count(), 1);
    // Make codes come back with a release for each press; the literal byte
    // of the break codes is gone, and so is the picture.
    // E0h 4Bh is no key of the code table: it comes back as the byte E0h and
    // the key 4Bh.
    EXPECT_EQ(key.MakeCodes().Text(), QStringLiteral("+LShift +A E0 +L -LShift -A -L"));
    EXPECT_TRUE(key.BreakCodes().IsEmpty());
    EXPECT_TRUE(key.Picture().Text().isEmpty());
    EXPECT_EQ(first.MSR().Track(0).Prefix().Text(), QStringLiteral("+F1 -F1"));
    EXPECT_EQ(first.KeyLock().Item(0).Codes().Text(), QStringLiteral("+B -B"));
    EXPECT_EQ(first.KeyLock().Item(0).PositionType(), 2);
    EXPECT_EQ(loaded.Layers().Item(1).Keys().Item(1).MakeCodes().Text(), QStringLiteral("+Up -Up"));
}
