#include "base/Win1251.h"
#include "xml/ECXMLParser.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray Bytes(const char *utf8) { return ToWin1251(QString::fromUtf8(utf8)); }

QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void BuildSample(TECXMLParser &p)
{
    TXMLItem &root = p.Root();
    root.SetName(QStringLiteral("Раскладка"));
    root.SetAttribute(QStringLiteral("Vesion"), QStringLiteral("020A"));
    TXMLItem *params = root.New();
    params->SetName(QStringLiteral("Параметры"));
    params->SetAttribute(QStringLiteral("KeyboardID"), QStringLiteral("4"));
    params->SetAttribute(QStringLiteral("Примечание"), QStringLiteral("<\"a&b\">"));
    TXMLItem *text = root.New();
    text->SetName(QStringLiteral("Data"));
    text->SetText(QStringLiteral("0A1B & <c>"));
    TXMLItem *nested = text->New();
    nested->SetName(QStringLiteral("Слой"));
}

} // namespace

TEST(XMLWriter, WritesTheExactForm)
{
    TECXMLParser p;
    BuildSample(p);
    EXPECT_EQ(p.SaveToBytes(), Bytes("<?xml version=\"1.0\" encoding=\"ISO8859-1\" ?>\r\n"
                                     "  <Раскладка Vesion=\"020A\">\r\n"
                                     "    <Параметры KeyboardID=\"4\" Примечание=\"&lt;&quot;a&amp;b&quot;&gt;\"/>\r\n"
                                     "    <Data>\r\n"
                                     "      0A1B &amp; &lt;c&gt;\r\n"
                                     "      <Слой/>\r\n"
                                     "    </Data>\r\n"
                                     "  </Раскладка>\r\n"));
    p.StyleSheet = QStringLiteral("вид.xsl");
    p.SetCrLfInAsString(false);
    EXPECT_EQ(p.SaveToBytes(), Bytes("<?xml version=\"1.0\" encoding=\"ISO8859-1\" ?>\r\n"
                                     "<?xml-stylesheet type=\"text/xsl\" href=\"вид.xsl\"?>\r\n"
                                     "  <Раскладка Vesion=\"020A\">  <Параметры KeyboardID=\"4\" "
                                     "Примечание=\"&lt;&quot;a&amp;b&quot;&gt;\"/>  <Data>  0A1B &amp; &lt;c&gt;"
                                     "  <Слой/>  </Data>  </Раскладка>"));
    EXPECT_FALSE(p.Root().Item(1)->CrLfInAsString()); // children take the root's setting
    EXPECT_FALSE(p.SaveToBytes(true).contains("xml-stylesheet"));
}

TEST(XMLWriter, ReadBackAndWriteAgainGivesTheSameBytes)
{
    TECXMLParser p;
    BuildSample(p);
    for (int i = 0; i < 50; ++i) {
        TXMLItem *key = p.Root().New();
        key->SetName(QStringLiteral("Клавиша"));
        key->SetAttribute(QStringLiteral("Номер"), QString::number(i));
        key->SetAttribute(QStringLiteral("Текст"), QStringLiteral("«%1» № — ё").arg(i));
    }
    const QByteArray first = p.SaveToBytes();
    TECXMLParser q;
    q.LoadFromBytes(first);
    EXPECT_EQ(q.SaveToBytes(), first);
    EXPECT_EQ(q.Root().Item(1)->Text(), QStringLiteral("0A1B & <c>"));
    EXPECT_EQ(q.Root().Item(0)->Attribute(QStringLiteral("Примечание")), QStringLiteral("<\"a&b\">"));
}

TEST(XMLWriter, LineBreaksSurviveInAttributesAndText)
{
    TECXMLParser p;
    p.Root().SetName(QStringLiteral("a"));
    p.Root().SetAttribute(QStringLiteral("v"), QStringLiteral("one\r\ntwo\nthree"));
    p.Root().SetText(QStringLiteral("l1\r\nl2"));
    const QByteArray bytes = p.SaveToBytes();
    EXPECT_TRUE(bytes.contains("v=\"one&#13;&#10;two&#10;three\""));
    EXPECT_TRUE(bytes.contains("l1<br/>l2"));
    TECXMLParser q;
    q.LoadFromBytes(bytes);
    EXPECT_EQ(q.Root().Attribute(u"v"), QStringLiteral("one\r\ntwo\nthree"));
    EXPECT_EQ(q.Root().Text(), QStringLiteral("l1\r\nl2"));
}

TEST(XMLWriter, EveryCodePageByteSurvivesInNamesValuesAndText)
{
    QString all;
    for (int b = 0x21; b < 0x100; ++b)
        all.append(QChar(Win1251Char(uchar(b))));
    TECXMLParser p;
    p.Root().SetName(QStringLiteral("Корень"));
    p.Root().SetAttribute(QStringLiteral("Все"), all);
    p.Root().SetText(all);
    TECXMLParser q;
    q.LoadFromBytes(p.SaveToBytes());
    EXPECT_EQ(q.Root().Name(), QStringLiteral("Корень"));
    EXPECT_EQ(q.Root().Attribute(QStringLiteral("все")), all);
    EXPECT_EQ(q.Root().Text(), all);
}

TEST(XMLWriter, SaveToFileReplacesAtomicallyAndKeepsTheOldFileOnFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("раскладка.xml"));
    TECXMLParser p;
    BuildSample(p);
    p.StyleSheet = QStringLiteral("s.xsl");
    p.SaveToFile(path);
    const QByteArray saved = ReadFile(path);
    EXPECT_EQ(saved, p.SaveToBytes());

    TECXMLParser q;
    q.LoadFromFile(path);
    EXPECT_EQ(q.StyleSheet, QStringLiteral("s.xsl"));
    p.SaveToFile(dir.filePath(QStringLiteral("вид.XSL")));
    EXPECT_FALSE(ReadFile(dir.filePath(QStringLiteral("вид.XSL"))).contains("xml-stylesheet"));

    p.BeforeSave = [](TECXMLParser &, bool &) { throw EError(QStringLiteral("прервано")); };
    EXPECT_THROW(p.SaveToFile(path), EError);
    EXPECT_EQ(ReadFile(path), saved);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
    EXPECT_THROW(p.SaveToFile(dir.filePath(QStringLiteral("нет/файла.xml"))), EError);
    EXPECT_THROW(q.LoadFromFile(dir.filePath(QStringLiteral("нет.xml"))), EError);
}
