#include "base/Win1251.h"
#include "xml/ECXMLParser.h"
#include "xml/XMLTokenizer.h"

#include <QStringList>
#include <future>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Parses a document given as UTF-8 source text, stored as Windows-1251 bytes.
void Parse(TECXMLParser &parser, const char *utf8)
{
    parser.LoadFromBytes(ToWin1251(QString::fromUtf8(utf8)));
}

QString Str(const char *utf8) { return QString::fromUtf8(utf8); }

// The attributes of an item as "name=value", in document order.
QStringList AttributesOf(const TXMLItem &item)
{
    QStringList result;
    for (int i = 0; i < item.AttributeCount(); ++i)
        result << item.AttributeName(i) + u'=' + item.AttributeValue(i);
    return result;
}

} // namespace

TEST(XMLReader, ReadsTreeAttributesAndText)
{
    TECXMLParser p;
    Parse(p, "<?xml version=\"1.0\" encoding=\"ISO8859-1\" ?>\r\n"
             "<?xml-stylesheet type=\"text/xsl\" href=\"вид.xsl\"?>\r\n"
             "<!-- comment -->\r\n"
             "<Раскладка Vesion=\"020A\">\r\n"
             "  <Параметры KeyboardID=\"4\" STop=\"1\"/>\r\n"
             "  <Слои>\r\n"
             "    текст\r\n"
             "    <Слой/>\r\n"
             "  </Слои>\r\n"
             "</Раскладка>\r\n");
    const TXMLItem &root = p.Root();
    EXPECT_EQ(p.StyleSheet, Str("вид.xsl"));
    EXPECT_EQ(root.Name(), Str("Раскладка"));
    EXPECT_EQ(root.Attribute(u"vesion"), u"020A"); // names compare without letter case
    ASSERT_EQ(root.Count(), 2);
    const TXMLItem *params = root.Item(0);
    EXPECT_EQ(params->Name(), Str("Параметры"));
    ASSERT_EQ(params->AttributeCount(), 2);
    EXPECT_EQ(params->AttributeName(0), u"KeyboardID");
    EXPECT_EQ(params->IntAttribute(u"STop"), 1);
    EXPECT_EQ(params->IntAttribute(u"SLeft", 7), 7);
    EXPECT_THROW(params->IntAttribute(u"SLeft"), EConvertError);
    EXPECT_EQ(params->Parent(), &root);
    const TXMLItem *layers = root.Item(1);
    EXPECT_EQ(layers->Text(), Str("текст"));
    ASSERT_EQ(layers->Count(), 1);
    EXPECT_EQ(layers->Item(0)->Name(), Str("Слой"));
    EXPECT_EQ(root.FindChild(Str("Слои")), layers);
    EXPECT_EQ(root.FindChild(Str("слои")), nullptr);
    EXPECT_EQ(root.IndexOfName(Str("слои")), 1);
}

TEST(XMLReader, NumbersInTheBytesReadAsTheirText)
{
    TECXMLParser p;
    Parse(p, "<a n=\"-12\" bad=\"4x\" big=\"2147483648\"/>");
    const TXMLItem &a = *p.Root().Item(0);
    EXPECT_EQ(a.IntAttribute(u"n"), -12);
    EXPECT_THROW(a.IntAttribute(u"bad"), EConvertError);
    EXPECT_THROW(a.IntAttribute(u"big"), EConvertError);
}

TEST(XMLReader, AttributeValuesFollowTheLenientRules)
{
    TECXMLParser p;
    Parse(p, "<a one=\"x  y\" empty=\"\" none= eq=\"k=v\" sp=\"q r\" bare lone=\"a\"/>");
    const TXMLItem &a = *p.Root().Item(0);
    EXPECT_EQ(a.Attribute(u"one"), u"x y");           // runs of spaces become one
    EXPECT_EQ(a.Attribute(u"empty"), u"\"\"");        // two characters: quotes stay
    EXPECT_FALSE(a.HasAttribute(u"none"));            // nothing after "=" stores nothing
    EXPECT_EQ(a.Attribute(u"eq"), u"k=v");            // split at the first "=" only
    EXPECT_EQ(a.Attribute(u"sp"), u"q r");            // quotes protect the space
    EXPECT_FALSE(a.HasAttribute(u"bare"));
    EXPECT_EQ(a.Attribute(u"lone"), u"a");            // three characters: both quotes go
    Parse(p, "<a v=\"&lt;&gt;&quot;&amp;lt;&#13;&#10;&#9;\"/>");
    EXPECT_EQ(p.Root().Item(0)->Attribute(u"v"), u"<>\"&lt;\r\n&#9;");
    Parse(p, "<a v=\"x\r\ny\"/>"); // line breaks inside a tag are deleted
    EXPECT_EQ(p.Root().Item(0)->Attribute(u"v"), u"xy");
}

// A name given again, in any letter case, keeps the place of its first
// attribute and takes the later value; so does a name a nameless document
// element's next tag repeats.
TEST(XMLReader, RepeatedAttributeNamesKeepTheFirstPlaceAndTakeTheLastValue)
{
    TECXMLParser p;
    Parse(p, "<r><a Font=\"1\" Size=\"2\" FONT=\"3\" Ключ=\"4\" size=\"5\" КЛЮЧ=\"6\" font= Z=\"7\"/></r>");
    const TXMLItem &a = *p.Root().Item(0);
    EXPECT_EQ(AttributesOf(a), (QStringList{u"Font=3"_qs, u"Size=5"_qs, Str("Ключ=6"), u"Z=7"_qs}));
    Parse(p, "< x=\"1\" y=\"2\">< X=\"3\" w=\"4\"></>");
    EXPECT_EQ(AttributesOf(p.Root()), (QStringList{u"x=3"_qs, u"y=2"_qs, u"w=4"_qs}));
}

// Tags with line breaks or runs of spaces are read from a normalised copy
// that the next such tag overwrites: names and values read from one must
// stay as they were when later tags of other names follow.
TEST(XMLReader, NormalisedTagsKeepTheirNamesAndValues)
{
    TECXMLParser p;
    QByteArray source = "<r>";
    for (int i = 0; i < 40; ++i)
        source += "<e" + QByteArray::number(i % 7) + "  a" + QByteArray::number(i % 5) + "=\"" +
                  QByteArray::number(i % 3) + "\"\r\n/>";
    source += "</r>";
    p.LoadFromBytes(source);
    ASSERT_EQ(p.Root().Count(), 40);
    for (int i = 0; i < 40; ++i) {
        const TXMLItem &item = *p.Root().Item(i);
        EXPECT_EQ(item.Name(), QStringLiteral("e%1").arg(i % 7)) << i;
        EXPECT_EQ(item.Attribute(QStringLiteral("a%1").arg(i % 5)), QString::number(i % 3)) << i;
    }
}

// Tags are checked for line breaks and runs of spaces sixteen or eight
// bytes at a time: every break and every double space must be found
// wherever it falls in a block or across two, and a lone space must never
// be taken for a run.
TEST(XMLReader, BreaksAndSpaceRunsAreFoundAtEveryOffset)
{
    for (int offset = 0; offset < 40; ++offset) {
        const QByteArray pad(offset, 'x');
        for (const QByteArray &insert : {QByteArray("  "), QByteArray("\r\n"), QByteArray("\n"), QByteArray("\r")}) {
            TECXMLParser p;
            p.LoadFromBytes("<e v=\"" + pad + insert + "y\" w=\"" + pad + " z\"/>");
            const TXMLItem &e = *p.Root().Item(0);
            // A run of spaces becomes one space, a CR LF pair goes, a lone
            // CR or LF stays.
            const QString expected = insert == "  " ? QString::fromLatin1(pad + " y")
                                     : insert == "\r\n" ? QString::fromLatin1(pad + "y")
                                                         : QString::fromLatin1(pad + insert + "y");
            EXPECT_EQ(e.Attribute(u"v"), expected) << offset << ' ' << insert.toHex().constData();
            EXPECT_EQ(e.Attribute(u"w"), QString::fromLatin1(pad + " z")) << offset;
        }
    }
}

// Names and short values are shared texts kept for the program's life; they
// must read the same from every thread at once, and texts of every length
// must be whole.
TEST(XMLReader, SharedTextsAreRightOnEveryThreadAndAtEveryLength)
{
    QByteArray source = "<r>";
    for (int i = 0; i < 300; ++i)
        source += "<e" + QByteArray::number(i % 11) + " n=\"" + QByteArray::number(i) + "\" long=\"" +
                  QByteArray(1 + i % 40, char('a' + i % 26)) + "\"/>";
    source += "</r>";
    auto check = [&source] {
        TECXMLParser p;
        p.LoadFromBytes(source);
        if (p.Root().Count() != 300)
            return false;
        for (int i = 0; i < 300; ++i) {
            const TXMLItem &e = *p.Root().Item(i);
            if (e.Name() != QStringLiteral("e%1").arg(i % 11) || e.Attribute(u"n") != QString::number(i)
                || e.Attribute(u"long") != QString(1 + i % 40, QChar(u'a' + i % 26)))
                return false;
        }
        return true;
    };
    std::vector<std::future<bool>> runs;
    for (int t = 0; t < 4; ++t)
        runs.push_back(std::async(std::launch::async, check));
    for (auto &run : runs)
        EXPECT_TRUE(run.get());
    // A text taken from a document lives on after the document is gone.
    QString kept;
    {
        TECXMLParser p;
        p.LoadFromBytes("<a name=\"value\"></a>");
        kept = p.Root().Attribute(u"name");
    }
    EXPECT_EQ(kept, u"value");
}

TEST(XMLReader, TextEntitiesAndJoinedPieces)
{
    TECXMLParser p;
    Parse(p, "<a>&amp;lt;</a>");
    EXPECT_EQ(p.Root().Text(), u"&lt;"); // "&amp;" is decoded last
    Parse(p, "<a>&amp;lt;<br/>x</a>");
    // The joined text is decoded again as a whole, and "<br/>" leaves a child.
    EXPECT_EQ(p.Root().Text(), u"<\r\nx");
    ASSERT_EQ(p.Root().Count(), 1);
    EXPECT_EQ(p.Root().Item(0)->Name(), u"br");
    Parse(p, "<a>one<br/>two<br/>three</a>");
    EXPECT_EQ(p.Root().Text(), u"one\r\ntwo\r\nthree");
}

TEST(XMLReader, CommentEndsAtFirstGreaterThan)
{
    TECXMLParser p;
    Parse(p, "<a><!-- x > y --></a>");
    EXPECT_EQ(p.Root().Text(), u"y -->");
}

TEST(XMLReader, SelfClosingDocumentElementLeavesRootNameless)
{
    TECXMLParser p;
    Parse(p, "<?xml version=\"1.0\"?><only x=\"1\"/>");
    EXPECT_TRUE(p.Root().Name().isEmpty());
    ASSERT_EQ(p.Root().Count(), 1);
    EXPECT_EQ(p.Root().Item(0)->Name(), u"only");
}

TEST(XMLReader, EndTagsAreNotMatchedAndMissingOnesAccepted)
{
    TECXMLParser p;
    Parse(p, "<a><b><c></x></y>");
    EXPECT_EQ(p.Root().Name(), u"a");
    ASSERT_EQ(p.Root().Count(), 1);
    EXPECT_EQ(p.Root().Item(0)->Item(0)->Name(), u"c");
}

TEST(XMLReader, ErrorsCarryTheLineAndKeepWhatWasRead)
{
    TECXMLParser p;
    try {
        Parse(p, "<a>\r\n</a>\r\n\r\n<b/>");
        FAIL();
    } catch (const EXMLError &e) {
        EXPECT_EQ(e.Line(), 4);
        EXPECT_EQ(e.Message(), Str("Ошибка в XML файле (строка 4)"));
    }
    EXPECT_EQ(p.Root().Name(), u"a");

    try {
        Parse(p, "<a>\n<b c=\"1\"");
        FAIL();
    } catch (const EXMLError &e) {
        EXPECT_EQ(e.Line(), 2);
        EXPECT_TRUE(e.Message().startsWith(Str("Ошибка в XML файле")));
    }

    QByteArray huge = "<a>";
    huge.append(QByteArray(TXMLTokenizer::kBufferSize + 1, 'x'));
    huge.append("</a>");
    try {
        p.LoadFromBytes(huge);
        FAIL();
    } catch (const EXMLError &e) {
        EXPECT_TRUE(e.Message().startsWith(Str("Слишком длинная строка")));
    }
}

TEST(XMLReader, EventsAroundLoading)
{
    TECXMLParser p;
    int changes = 0;
    p.XMLItemChanged = [&](TECXMLParser &, TXMLItem &) { ++changes; };
    Parse(p, "<a x=\"1\"><b/></a>");
    EXPECT_EQ(changes, 0); // no change events while loading
    p.Root().SetText(u"t"_qs);
    EXPECT_EQ(changes, 1);
    EXPECT_THROW(Parse(p, "<a></a><b/>"), EXMLError);
    p.Root().SetName(u"n"_qs);
    EXPECT_EQ(changes, 2); // the handler is back after a failed load too

    p.BeforeLoad = [](TECXMLParser &, bool &allow) { allow = false; };
    Parse(p, "<other/>");
    EXPECT_EQ(p.Root().Name(), u"n");

    bool loaded = false;
    p.BeforeLoad = nullptr;
    p.OnLoaded = [&](TECXMLParser &) { loaded = true; };
    Parse(p, "<z/>");
    EXPECT_TRUE(loaded);
}

TEST(XMLItem, AttributesChildrenAndParents)
{
    TECXMLParser p;
    TXMLItem &root = p.Root();
    int changes = 0;
    p.XMLItemChanged = [&](TECXMLParser &, TXMLItem &) { ++changes; };
    root.SetAttribute(u"A"_qs, u"1"_qs);
    root.SetAttribute(u"B"_qs, u"2"_qs);
    root.SetAttribute(u"a"_qs, u"3"_qs); // first match takes the value
    EXPECT_EQ(AttributesOf(root), (QStringList{u"A=3"_qs, u"B=2"_qs}));
    root.SetAttribute(u"b"_qs, QString()); // empty value removes
    EXPECT_FALSE(root.HasAttribute(u"B"));

    TXMLItem *x = root.New();
    TXMLItem *y = root.New();
    EXPECT_EQ(changes, 2);
    x->SetName(u"x"_qs);
    y->SetName(u"y"_qs);
    EXPECT_EQ(x->Owner(), &p);
    root.Move(y, 0);
    EXPECT_EQ(root.IndexOf(y), 0);
    EXPECT_EQ(root.IndexOfName(u"X", 1), 1);
    EXPECT_EQ(root.IndexOfName(u"y", 1), -1);
    y->SetParent(x);
    EXPECT_EQ(root.Count(), 1);
    EXPECT_EQ(x->Item(0), y);
    EXPECT_EQ(y->Parent(), x);
    root.Delete(0);
    EXPECT_EQ(root.Count(), 0);
    root.Clear();
    EXPECT_EQ(root.AttributeCount(), 0);
}

TEST(XMLReader, RefusesNestingDeeperThanAnyFileNeeds)
{
    TECXMLParser p;
    QByteArray deep = "<r>";
    for (int i = 0; i < 256; ++i)
        deep.append("<a>");
    p.LoadFromBytes(deep); // 256 levels below the document element are fine
    deep.append("<a>");
    try {
        p.LoadFromBytes(deep);
        FAIL();
    } catch (const EXMLError &e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Слишком глубокая вложенность")));
    }
    p.LoadFromBytes(QByteArray("<r>") + QByteArray(300000, 'x').replace('x', "<a></a>"));
    EXPECT_EQ(p.Root().Count(), 300000); // wide trees are not limited
}
