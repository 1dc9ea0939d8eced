#include "xml/ECXMLParser.h"

#include <gtest/gtest.h>
#include <random>

namespace {

QByteArray SampleDocument()
{
    TECXMLParser p;
    TXMLItem &root = p.Root();
    root.SetName(QStringLiteral("Раскладка"));
    for (int i = 0; i < 6; ++i) {
        TXMLItem *item = root.New();
        item->SetName(QStringLiteral("Клавиша"));
        item->SetAttribute(QStringLiteral("Номер"), QString::number(i));
        item->SetAttribute(QStringLiteral("V"), QStringLiteral("a \"<&>\" b\r\n"));
        item->SetText(QStringLiteral("x & y\r\nz"));
        item->New()->SetName(QStringLiteral("Data"));
    }
    p.StyleSheet = QStringLiteral("s.xsl");
    QByteArray bytes = p.SaveToBytes();
    bytes.append("<!-- c > d -->");
    return bytes;
}

// Loading must either succeed or raise EXMLError; a successful load must
// write out again without fault.
void LoadAnything(const QByteArray &input)
{
    TECXMLParser p;
    try {
        p.LoadFromBytes(input);
    } catch (const EXMLError &) {
    }
    (void)p.SaveToBytes();
}

} // namespace

TEST(XMLRobustness, RandomTruncatedAndMutatedInput)
{
    std::mt19937 rng(20261208);
    const QByteArray sample = SampleDocument();
    for (qsizetype n = 0; n <= sample.size(); ++n)
        LoadAnything(sample.left(n));

    const char alphabet[] = "<>/=\"?!- \r\n\t&;abx";
    for (int round = 0; round < 3000; ++round) {
        QByteArray input = sample;
        const int edits = 1 + int(rng() % 8);
        for (int e = 0; e < edits; ++e) {
            const qsizetype at = qsizetype(rng() % uint32_t(input.size()));
            switch (rng() % 3) {
            case 0: input[at] = alphabet[rng() % (sizeof alphabet - 1)]; break;
            case 1: input.remove(at, 1 + qsizetype(rng() % 4)); break;
            default: input.insert(at, char(rng() % 256)); break;
            }
            if (input.isEmpty())
                input = "<";
        }
        LoadAnything(input);
    }

    for (int round = 0; round < 2000; ++round) {
        QByteArray input(qsizetype(rng() % 200), Qt::Uninitialized);
        for (char &c : input)
            c = (rng() % 2) ? alphabet[rng() % (sizeof alphabet - 1)] : char(rng() % 256);
        LoadAnything(input);
    }
}
