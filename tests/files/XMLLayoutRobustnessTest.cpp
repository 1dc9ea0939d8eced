#include "FilesTestData.h"

#include "files/XMLLayout.h"
#include "model/Layout.h"
#include "support/RichLayout.h"

#include <QDir>
#include <QtGlobal>
#include <random>

namespace {

// Feeds data to the loader on a copy of base. The load either succeeds (and
// the result can be written) or raises EError and leaves the copy exactly as
// it was; anything else fails the test.
void ExpectLoadsOrRefuses(TXMLLayout &format, const TLayout &base, const QByteArray &baseline,
                          const QByteArray &data, bool *failed = nullptr)
{
    TLayout layout;
    layout.Assign(base);
    try {
        format.LoadFromString(layout, data);
        format.SaveToString(layout);
        if (failed)
            *failed = false;
    } catch (const EError &) {
        EXPECT_EQ(format.SaveToString(layout), baseline) << "a failed load changed the layout";
        EXPECT_EQ(layout.KeyboardID(), base.KeyboardID());
        EXPECT_EQ(layout.LayerCount(), base.LayerCount());
        if (failed)
            *failed = true;
    }
}

// Broken picture data makes the image decoders complain on every mutant;
// the tests look at outcomes, not at that noise.
class TQuietImageDecoders {
public:
    TQuietImageDecoders()
        : FPrevious(qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {}))
    {}
    ~TQuietImageDecoders() { qInstallMessageHandler(FPrevious); }

private:
    QtMessageHandler FPrevious;
};

QByteArray Mutate(QByteArray data, std::mt19937 &random)
{
    static const QList<QByteArray> tokens = {"\"",
                                             "<",
                                             ">",
                                             "/>",
                                             "=",
                                             " ",
                                             "&amp;",
                                             "&lt;",
                                             "-1",
                                             "0",
                                             "99999999999",
                                             "2147483647",
                                             "FFFFFFFFF",
                                             ToWin1251(u"</Слой>"),
                                             ToWin1251(u"<Слой>"),
                                             ToWin1251(u"<Позиция/>"),
                                             ToWin1251(u"<Нота Нота=\"300\"/>"),
                                             ToWin1251(u"<Параметры KeyboardID=\"3\"/>"),
                                             ToWin1251(u" Колонка=\"0\""),
                                             "<Data>00FF</Data>",
                                             ToWin1251(u"<СканКод Код=\"65535\" РасширенныйКод=\"-7\"/>"),
                                             "\r\n",
                                             "<!--",
                                             "-->"};
    const int count = 1 + int(random() % 4);
    for (int m = 0; m < count && !data.isEmpty(); ++m) {
        const qsizetype at = qsizetype(random() % uint32_t(data.size()));
        const qsizetype length = std::min<qsizetype>(1 + qsizetype(random() % 32), data.size() - at);
        switch (random() % 6) {
        case 0:
            data[at] = char(random());
            break;
        case 1:
            data.remove(at, length);
            break;
        case 2:
            data.insert(qsizetype(random() % uint32_t(data.size())), data.mid(at, length));
            break;
        case 3:
            data.truncate(at);
            break;
        case 4:
            data.insert(at, tokens[qsizetype(random() % uint32_t(tokens.size()))]);
            break;
        default:
            if (data[at] >= '0' && data[at] <= '9')
                data[at] = "0123456789AaZ-"[random() % 14];
            else
                data[at] = char('0' + random() % 10);
            break;
        }
    }
    return data;
}

} // namespace

TEST(XMLLayoutRobustness, BrokenFilesLoadOrRaiseWithoutHarm)
{
    TXMLLayout format(nullptr, AllTestModels());
    const auto base = MakeRichLayout(AllTestModels(), 6);
    const QByteArray baseline = format.SaveToString(*base);

    const QDir folder(FilesTestPath(QStringLiteral("broken")));
    const QStringList names = folder.entryList(QDir::Files, QDir::Name);
    ASSERT_GE(names.size(), 8);
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        bool failed = false;
        ExpectLoadsOrRefuses(format, *base, baseline, ReadFileBytes(folder.filePath(name)), &failed);
        if (name != u"truncated.xml") {
            EXPECT_TRUE(failed) << "a broken file loaded";
        }
    }

    // Every prefix of a valid file.
    const QByteArray small = ReadFileBytes(FilesTestPath(QStringLiteral("small_layout.xml")));
    for (qsizetype length = 1; length < small.size(); length += 7)
        ExpectLoadsOrRefuses(format, *base, baseline, small.left(length));
}

TEST(XMLLayoutRobustness, MutatedLayoutFilesNeverCrash)
{
    const TQuietImageDecoders quiet;
    TXMLLayout format(nullptr, AllTestModels());
    const auto base = MakeRichLayout(AllTestModels(), 2);
    const QByteArray baseline = format.SaveToString(*base);
    const QList<QByteArray> seeds = {
        baseline,
        format.SaveToString(*MakeRichLayout(AllTestModels(), 7)),
        ReadFileBytes(FilesTestPath(QStringLiteral("small_layout.xml"))),
        ReadFileBytes(FilesTestPath(QStringLiteral("old_no_version.xml"))),
        ReadFileBytes(FilesTestPath(QStringLiteral("version_0208.xml"))),
    };
    std::mt19937 random(4242);
    int failures = 0;
    const int kMutants = 3000;
    for (int i = 0; i < kMutants; ++i) {
        SCOPED_TRACE(testing::Message() << "mutant " << i);
        bool failed = false;
        ExpectLoadsOrRefuses(format, *base, baseline, Mutate(seeds[i % seeds.size()], random), &failed);
        failures += failed;
        if (HasFailure())
            break;
    }
    RecordProperty("refused", failures);
    // Both outcomes occur, so the mutations reach beyond the XML syntax.
    EXPECT_GT(failures, 0);
    EXPECT_LT(failures, kMutants);

    // Random bytes, with and without a layout's beginning.
    for (int i = 0; i < 300; ++i) {
        QByteArray noise(qsizetype(1 + random() % 600), Qt::Uninitialized);
        for (char &byte : noise)
            byte = char(random());
        if (i % 2)
            noise.prepend(seeds[2].left(qsizetype(random() % 400)));
        ExpectLoadsOrRefuses(format, *base, baseline, noise);
    }
}
