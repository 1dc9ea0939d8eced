#include "FilesTestData.h"

#include "files/XMLLayout.h"
#include "model/Key.h"
#include "model/KeyLock.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/MSR.h"
#include "model/ScanCodes.h"
#include "support/RichLayout.h"

TEST(XMLLayoutVersions, DecodesVersionsByUpperCaseDigitPairs)
{
    EXPECT_EQ(TXMLLayout::DecodeVersion(u"020A"), 0x020A);
    EXPECT_EQ(TXMLLayout::DecodeVersion(u"0208"), 0x0208);
    EXPECT_EQ(TXMLLayout::DecodeVersion(u"020a"), 0x0200);
    EXPECT_EQ(TXMLLayout::DecodeVersion(u"2"), 0x0200);
    EXPECT_EQ(TXMLLayout::DecodeVersion(u"2.9"), 0x0209);
    EXPECT_EQ(TXMLLayout::DecodeVersion(u"020A77"), 0x020A);
    EXPECT_EQ(TXMLLayout::DecodeVersion(u"xyz"), 0);
    EXPECT_EQ(TXMLLayout::DecodeVersion(u""), 0);
}

TEST(XMLLayoutVersions, OldFilesWithoutVersionReadCodeLists)
{
    TXMLLayout format(nullptr, ShippedKeyboards());
    TLayout layout;
    layout.SetVersion(0x0209);
    format.LoadFromFile(layout, FilesTestPath(QStringLiteral("old_no_version.xml")));
    EXPECT_EQ(format.FileVersion(), 0);
    EXPECT_EQ(layout.Version(), 0x0209) << "without a version attribute the version stays";
    EXPECT_EQ(layout.KeyboardID(), 4) << "no model attribute stands for identifier 4";
    EXPECT_EQ(layout.Selection(), (TRect{3, 2, 3, 2}));

    const TLayer &layer = layout.Layers().Item(0);
    const TKey &key = *layer.KeyAt(0, 0);
    EXPECT_EQ(key.Remark(), u"Старый");
    EXPECT_TRUE(key.AutoRepeat());
    // 18 is LShift, 28 the letter A, E0h 75h the Up key; every press gets its
    // release appended at the end.
    EXPECT_EQ(key.MakeCodes().Text(), u"+LShift +A +Up -LShift -A -Up");
    EXPECT_EQ(key.MakeCodes().Data(), QByteArray::fromHex("121CE075F012F01CE0F075"));
    EXPECT_EQ(key.BreakCodes().Text(), u"+<Enter> -<Enter>");

    const TKey &layerKey = *layer.KeyAt(1, 0);
    EXPECT_EQ(layerKey.KeyType(), ktLayer1);
    EXPECT_EQ(layerKey.LogicalNumber(), 7) << "the model's number, not the file's list position";
    EXPECT_TRUE(layerKey.MakeCodes().IsEmpty()) << "a layer key keeps no codes";

    EXPECT_TRUE(layer.MSR().SendEnter());
    EXPECT_FALSE(layer.MSR().LightIndication());
    EXPECT_EQ(layer.MSR().Track(1).Prefix().Text(), u"+F1 -F1");
    ASSERT_EQ(layer.KeyLock().Count(), 1) << "the file's positions replace the lock's";
    EXPECT_EQ(layer.KeyLock().Item(0).PositionType(), 1);
    EXPECT_EQ(layer.KeyLock().Item(0).Codes().Text(), u"+B -B");
    EXPECT_EQ(layout.Layers().Item(1).KeyLock().Count(), 4);

    // The model attribute of old files is the identifier minus one.
    TLayout other;
    format.LoadFromString(other, LayoutDocument(QString(), QStringLiteral("<Параметры Параметры=\"1\"/>")));
    EXPECT_EQ(other.KeyboardID(), 2);
}

TEST(XMLLayoutVersions, Version208NamesTheModelCode)
{
    TXMLLayout format(nullptr, ShippedKeyboards());
    TLayout layout;
    format.LoadFromFile(layout, FilesTestPath(QStringLiteral("version_0208.xml")));
    EXPECT_EQ(layout.Version(), 0x0208);
    EXPECT_EQ(format.FileVersion(), 0x0208);
    EXPECT_EQ(layout.KeyboardID(), 3) << "model code 3 (attribute 2 plus 1), not the KeyboardID attribute";
    EXPECT_EQ(layout.Layers().Item(0).KeyAt(0, 0)->MakeCodes().Text(), u"+A");
    EXPECT_EQ(layout.Layers().Item(0).KeyAt(0, 0)->BreakCodes().Text(), u"-A");

    TLayout fallback;
    format.LoadFromString(fallback,
                          LayoutDocument(QStringLiteral("Vesion=\"0208\""), QStringLiteral("<Параметры/>")));
    EXPECT_EQ(fallback.KeyboardID(), 4) << "model code 4 when the attribute is absent";
}

TEST(XMLLayoutVersions, Versions209And210NameTheIdentifier)
{
    TXMLLayout format(nullptr, ShippedKeyboards());
    for (const QString &version : {QStringLiteral("0209"), QStringLiteral("020A")}) {
        TLayout layout;
        format.LoadFromString(
            layout, LayoutDocument(QStringLiteral("Vesion=\"%1\"").arg(version),
                                   QStringLiteral("<Параметры KeyboardID=\"6\" Параметры=\"0\"/>")));
        EXPECT_EQ(layout.KeyboardID(), 6);
        EXPECT_EQ(layout.Version(), TXMLLayout::DecodeVersion(version));
        TLayout fallback;
        format.LoadFromString(fallback, LayoutDocument(QStringLiteral("Vesion=\"%1\"").arg(version),
                                                       QStringLiteral("<Параметры/>")));
        EXPECT_EQ(fallback.KeyboardID(), 4);
    }

    // Every "Параметры" element applies in turn; the last one's model stays.
    TLayout twice;
    format.LoadFromString(twice,
                          LayoutDocument(QStringLiteral("Vesion=\"020A\""),
                                         QStringLiteral("<Параметры KeyboardID=\"1\"/>"
                                                        "<Параметры KeyboardID=\"5\" SRight=\"3\"/>")));
    EXPECT_EQ(twice.KeyboardID(), 5);
    EXPECT_EQ(twice.Selection().Right, 3);
}

TEST(XMLLayoutVersions, OtherVersionsKeepTheModelUnlessTheyNameIt)
{
    TXMLLayout format(nullptr, ShippedKeyboards());
    // "020a" decodes as 0x0200: without "KeyboardID" no model is taken.
    const QByteArray lower = LayoutDocument(
        QStringLiteral("Vesion=\"020a\""),
        OneLayerBody(QStringLiteral("Параметры=\"0\""),
                     QStringLiteral("<Клавиша Колонка=\"0\" Ряд=\"0\" Примечание=\"есть\"/>")));
    TLayout fresh;
    format.LoadFromString(fresh, lower);
    EXPECT_EQ(fresh.Version(), 0x0200);
    EXPECT_EQ(fresh.KeyboardID(), 0);
    EXPECT_EQ(fresh.LayerCount(), 0);

    const auto shaped = MakeRichLayout(ShippedKeyboards(), 2);
    format.LoadFromString(*shaped, lower);
    EXPECT_EQ(shaped->KeyboardID(), 2);
    EXPECT_EQ(shaped->Version(), 0x0200);
    EXPECT_EQ(shaped->Layers().Item(0).KeyAt(0, 0)->Remark(), u"есть");

    // With "KeyboardID" the file names its model whatever its version, as
    // layouts read from keyboards with other programs are saved.
    format.LoadFromString(fresh, LayoutDocument(QStringLiteral("Vesion=\"0301\""),
                                                QStringLiteral("<Параметры KeyboardID=\"3\"/>")));
    EXPECT_EQ(fresh.KeyboardID(), 3);
    EXPECT_EQ(fresh.Version(), 0x0301);
}
