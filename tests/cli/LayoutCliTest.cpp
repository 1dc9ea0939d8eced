#include "CliTestSupport.h"

#include "base/Win1251.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray ReadBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Puts make codes into the first count keys of the first layer of a layout
// file written by the tool.
void SetMakeCodes(const QString &path, int count, const QString &codes)
{
    QString text = FromWin1251(ReadBytes(path));
    qsizetype from = 0;
    for (int i = 0; i < count; ++i) {
        from = text.indexOf(QStringLiteral("<Клавиша "), from);
        ASSERT_GE(from, 0);
        from = text.indexOf(u'>', from) + 1;
        const QString element = QStringLiteral("<КодыНажатия СканКоды=\"%1\"/>").arg(codes);
        text.insert(from, element);
    }
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(ToWin1251(text));
}

} // namespace

TEST(LayoutCli, NewAndConvertWriteTheSameBytesAgain)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.xml"));
    const QString b = dir.filePath(QStringLiteral("b.xml"));
    ASSERT_EQ(Ravlin({QStringLiteral("new"), QStringLiteral("3"), a}).ExitCode, 0);
    SetMakeCodes(a, 5, QStringLiteral("+LShift +A -A -LShift"));
    ASSERT_EQ(Ravlin({QStringLiteral("convert"), a, b}).ExitCode, 0);
    const QString c = dir.filePath(QStringLiteral("c.xml"));
    ASSERT_EQ(Ravlin({QStringLiteral("convert"), b, c, QStringLiteral("--format"), QStringLiteral("xml")}).ExitCode, 0);
    EXPECT_EQ(ReadBytes(b), ReadBytes(c));

    const TRun unknownModel = Ravlin({QStringLiteral("new"), QStringLiteral("99"), a});
    EXPECT_EQ(unknownModel.ExitCode, 2);
    EXPECT_EQ(unknownModel.Err.trimmed(), QStringLiteral("Не найдено описание клавиатуры с идентификатором 99."));
    const TRun unknownFormat =
        Ravlin({QStringLiteral("convert"), a, dir.filePath(QStringLiteral("x.bin")), QStringLiteral("--format=bin31")});
    EXPECT_EQ(unknownFormat.ExitCode, 2);
    EXPECT_EQ(unknownFormat.Err.trimmed(), QStringLiteral("Неизвестный формат раскладки \"bin31\". Допустимы: xml, xml13, bin, bin13, emf, bin28, bin29."));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("x.bin"))));
    const TRun notLayout = Ravlin({QStringLiteral("dump"), QStringLiteral(RAVLIN_DATA_DIR "/Клавиши/Клавиши.xml")});
    EXPECT_EQ(notLayout.ExitCode, 2);
    EXPECT_TRUE(notLayout.Err.startsWith(QStringLiteral("Неверный формат файла.")));
}

TEST(LayoutCli, DumpShowsTheWholeLayout)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.xml"));
    ASSERT_EQ(Ravlin({QStringLiteral("new"), QStringLiteral("1"), a}).ExitCode, 0);
    SetMakeCodes(a, 1, QStringLiteral("+RCtrl E0"));
    const TRun run = Ravlin({QStringLiteral("dump"), a});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    const QJsonObject doc = QJsonDocument::fromJson(run.Out.toUtf8()).object();
    EXPECT_EQ(doc[QStringLiteral("version")].toInt(), 0x020A);
    EXPECT_EQ(doc[QStringLiteral("keyboardId")].toInt(), 1);
    EXPECT_EQ(doc[QStringLiteral("keyPositions")].toInt(), 8);
    EXPECT_TRUE(doc[QStringLiteral("track3")].toBool());
    const QJsonArray layers = doc[QStringLiteral("layers")].toArray();
    ASSERT_EQ(layers.size(), 4);
    const QJsonObject key = layers[0][QStringLiteral("keys")].toArray()[0].toObject();
    EXPECT_EQ(key[QStringLiteral("make")].toString(), QStringLiteral("+RCtrl E0"));
    EXPECT_EQ(key[QStringLiteral("makeHex")].toString(), QStringLiteral("E014E0"));
    EXPECT_TRUE(key[QStringLiteral("picture")][QStringLiteral("graphic")].isNull());
    EXPECT_EQ(layers[0][QStringLiteral("msr")][QStringLiteral("tracks")].toArray().size(), 3);
    EXPECT_EQ(layers[0][QStringLiteral("keyLock")].toArray().size(), 8);
    EXPECT_EQ(doc[QStringLiteral("selection")][QStringLiteral("right")].toInt(), 1);
}

TEST(LayoutCli, CheckFindAndReplace)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.xml"));
    ASSERT_EQ(Ravlin({QStringLiteral("new"), QStringLiteral("1"), a}).ExitCode, 0);
    EXPECT_EQ(Ravlin({QStringLiteral("check"), a}).ExitCode, 0);
    SetMakeCodes(a, 12, QStringLiteral("+A +A"));

    const TRun check = Ravlin({QStringLiteral("check"), a});
    EXPECT_EQ(check.ExitCode, 1);
    ASSERT_EQ(check.Lines().size(), 11);
    EXPECT_EQ(check.Lines()[0],
              QStringLiteral("[Ошибка(1)] Слой 1. Клавиша (1,1). Коды нажатия. Код +A: Два нажатия подряд."));

    const TRun find = Ravlin({QStringLiteral("find"), a, QStringLiteral("+a"), QStringLiteral("--layer"), QStringLiteral("1")});
    EXPECT_EQ(find.ExitCode, 0);
    ASSERT_EQ(find.Lines().size(), 12);
    EXPECT_EQ(find.Lines()[0], QStringLiteral("[Поиск] Слой 1. Клавиша (1,1). Коды нажатия. Строка +A +A найдена."));
    EXPECT_EQ(Ravlin({QStringLiteral("find"), a, QStringLiteral("+A"), QStringLiteral("--layer=2")}).ExitCode, 1);

    const QString b = dir.filePath(QStringLiteral("b.xml"));
    const TRun replace = Ravlin({QStringLiteral("replace"), a, QStringLiteral("+A +A"), QStringLiteral("+A -A"),
                                 QStringLiteral("-o"), b});
    EXPECT_EQ(replace.ExitCode, 0) << replace.Err.toStdString();
    EXPECT_EQ(replace.Out, QStringLiteral("[Замена] (+A +A->+A -A) Количество замен: 12\n"));
    EXPECT_EQ(Ravlin({QStringLiteral("check"), b}).ExitCode, 0);
    EXPECT_EQ(Ravlin({QStringLiteral("check"), a}).ExitCode, 1); // the input stays as it was

    // Without -o the input is rewritten; "-A" is a code text, not an option.
    const TRun inPlace = Ravlin({QStringLiteral("replace"), b, QStringLiteral("-A"), QStringLiteral("-B")});
    EXPECT_EQ(inPlace.Out, QStringLiteral("[Замена] (-A->-B) Количество замен: 12\n"));
    EXPECT_EQ(Ravlin({QStringLiteral("find"), b, QStringLiteral("+a -b")}).Lines().size(), 12);
}

TEST(LayoutCli, DiffNamesEachDifferenceOnItsOwnLine)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.xml"));
    const QString b = dir.filePath(QStringLiteral("b.xml"));
    ASSERT_EQ(Ravlin({QStringLiteral("new"), QStringLiteral("1"), a}).ExitCode, 0);
    ASSERT_TRUE(QFile::copy(a, b));
    const TRun equal = Ravlin({QStringLiteral("diff"), a, b});
    EXPECT_EQ(equal.ExitCode, 0);
    EXPECT_TRUE(equal.Out.isEmpty()) << equal.Out.toStdString();

    SetMakeCodes(b, 1, QStringLiteral("+Q -Q"));
    const TRun differ = Ravlin({QStringLiteral("diff"), a, b});
    EXPECT_EQ(differ.ExitCode, 1);
    EXPECT_EQ(differ.Lines(), QStringList{QStringLiteral("[Сравнение] Слой 1. Клавиша (1,1). Коды нажатия: \"\" -> \"+Q -Q\"")});
    const TRun json = Ravlin({QStringLiteral("diff"), b, a, QStringLiteral("--json")});
    EXPECT_EQ(json.ExitCode, 1);
    const QJsonObject result = QJsonDocument::fromJson(json.Out.toUtf8()).object();
    EXPECT_FALSE(result.value(QStringLiteral("equal")).toBool());
    const QJsonArray differences = result.value(QStringLiteral("differences")).toArray();
    ASSERT_EQ(differences.size(), 1);
    EXPECT_EQ(differences[0].toObject().value(QStringLiteral("a")).toString(), QStringLiteral("+Q -Q"));
    EXPECT_EQ(differences[0].toObject().value(QStringLiteral("key")).toArray(), (QJsonArray{1, 1}));

    // Another model: the model and every key that differs.
    const QString c = dir.filePath(QStringLiteral("c.xml"));
    ASSERT_EQ(Ravlin({QStringLiteral("new"), QStringLiteral("2"), c}).ExitCode, 0);
    const TRun models = Ravlin({QStringLiteral("diff"), a, c});
    EXPECT_EQ(models.ExitCode, 1);
    ASSERT_FALSE(models.Lines().isEmpty());
    EXPECT_TRUE(models.Lines()[0].startsWith(QStringLiteral("[Сравнение] Модель: "))) << models.Out.toStdString();
}
