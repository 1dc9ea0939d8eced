#include "model/Notes.h"
#include "base/Error.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <random>

namespace {

QString Repeat(const QString &group, int count)
{
    QStringList parts;
    for (int i = 0; i < count; ++i)
        parts.append(group);
    return parts.join(u';');
}

} // namespace

TEST(Notes, NameTable)
{
    EXPECT_EQ(NoteName(0), u"P");
    EXPECT_EQ(NoteName(1), u"C_0");
    EXPECT_EQ(NoteName(2), u"Cis_0");
    EXPECT_EQ(NoteName(12), u"B_0");
    EXPECT_EQ(NoteName(13), u"C0");
    EXPECT_EQ(NoteName(24), u"B0");
    EXPECT_EQ(NoteName(25), u"C1");
    EXPECT_EQ(NoteName(58), u"A3");
    EXPECT_EQ(NoteName(71), u"Ais4");
    EXPECT_EQ(NoteName(72), u"B4");
    EXPECT_EQ(NoteName(73), u"");
    EXPECT_EQ(NoteName(-1), u"");
    for (int pitch = 0; pitch < kNoteNameCount; ++pitch)
        EXPECT_EQ(NotePitch(NoteName(pitch)), pitch) << pitch;
    EXPECT_EQ(NotePitch(u"c1"), -1);
    EXPECT_EQ(NotePitch(u""), -1);
    EXPECT_EQ(NotePitch(u"C1 "), -1);
}

TEST(Notes, TextRoundTripAndTolerance)
{
    TNotes notes;
    notes.SetText(u"C1;10;5;D1;20;5");
    ASSERT_EQ(notes.Count(), 2);
    EXPECT_EQ(notes.Item(0).Pitch(), 25);
    EXPECT_EQ(notes.Item(0).Duration(), 10);
    EXPECT_EQ(notes.Item(0).Volume(), 5);
    EXPECT_EQ(notes.Item(1).Pitch(), 27);
    EXPECT_EQ(notes.Item(1).Owner(), &notes);
    EXPECT_EQ(notes.Text(), u"C1;10;5;D1;20;5");

    notes.SetText(u"c1;10;5");
    EXPECT_TRUE(notes.IsEmpty()) << "names are case-sensitive";
    notes.SetText(u"X;1;1;C1;2;2");
    ASSERT_EQ(notes.Count(), 1);
    EXPECT_EQ(notes.Text(), u"C1;2;2");
    notes.SetText(u"C1;10");
    EXPECT_EQ(notes.Count(), 0) << "a group without volume is not used";
    notes.SetText(u"C1;10;5;D1");
    EXPECT_EQ(notes.Count(), 1);
    notes.SetText(u"P;1;2;");
    EXPECT_EQ(notes.Text(), u"P;1;2") << "a trailing separator is harmless";
    notes.SetText(u"C1;10;5;\r\nD1;1;1");
    EXPECT_EQ(notes.Text(), u"C1;10;5") << "a line break belongs to the name";
    notes.SetText(u"");
    EXPECT_TRUE(notes.IsEmpty());

    notes.SetText(u"C1;300;-1");
    EXPECT_EQ(notes.Item(0).Duration(), 44);
    EXPECT_EQ(notes.Item(0).Volume(), 255);

    notes.Item(0).SetPitch(80);
    EXPECT_EQ(notes.Text(), u";44;255") << "a pitch past the table has no name";
}

TEST(Notes, BadNumberKeepsWhatWasRead)
{
    TNotes notes;
    EXPECT_THROW(notes.SetText(u"C1;10;5;D1;x;7"), EConvertError);
    ASSERT_EQ(notes.Count(), 2);
    EXPECT_EQ(notes.Item(1).Pitch(), 27);
    EXPECT_EQ(notes.Item(1).Duration(), 0);
    EXPECT_EQ(notes.Item(1).Volume(), 0);

    EXPECT_THROW(notes.SetText(u"E2;9;5\r\n"), EConvertError);
    ASSERT_EQ(notes.Count(), 1);
    EXPECT_EQ(notes.Item(0).Duration(), 9);
    EXPECT_EQ(notes.Item(0).Volume(), 0);

    try {
        notes.SetText(u"C1; 10;5");
        FAIL();
    } catch (const EConvertError &e) {
        EXPECT_EQ(e.Message(), u"\" 10\" не является целым числом.");
    }
}

TEST(Notes, AtMost256Notes)
{
    TNotes notes;
    for (int i = 0; i < kMaxNotes; ++i)
        notes.Add();
    try {
        notes.Add();
        FAIL();
    } catch (const EError &e) {
        EXPECT_EQ(e.Message(), u"Количество нот не может быть больше 256.");
    }
    EXPECT_EQ(notes.Count(), 256);

    notes.SetText(Repeat(QStringLiteral("A2;1;1"), 256));
    EXPECT_EQ(notes.Count(), 256);
    EXPECT_THROW(notes.SetText(Repeat(QStringLiteral("A2;1;1"), 257)), EError);
    EXPECT_EQ(notes.Count(), 256);
}

TEST(Notes, AssignEqualsAndNotification)
{
    TNotifier notifier;
    TNotes source(&notifier);
    source.SetText(u"C1;10;5;D1;20;6");
    TNotes target(&notifier);
    EXPECT_FALSE(target.Equals(source));
    target.Assign(source);
    EXPECT_TRUE(target.Equals(source));
    EXPECT_EQ(target.Text(), source.Text());
    EXPECT_EQ(target.Item(0).Notifier(), &notifier);

    target.ResetChanged();
    notifier.ResetModified();
    target.Assign(source);
    target.Assign(target);
    EXPECT_EQ(target.Count(), 2);
    EXPECT_FALSE(target.IsChanged()) << "assigning an equal melody changes nothing";
    EXPECT_FALSE(notifier.Modified());

    target.Item(1).SetVolume(7);
    EXPECT_FALSE(target.Equals(source)) << "volume counts";
    target.Item(1).SetVolume(6);
    target.Item(1).SetDuration(21);
    EXPECT_FALSE(target.Equals(source)) << "duration counts";

    target.Clear();
    EXPECT_TRUE(target.IsEmpty());
    EXPECT_TRUE(target.IsChanged());
}

TEST(NotesRobustness, RandomAndMutatedTexts)
{
    std::mt19937 rng(20240611);
    const QString pieces[] = {
        QStringLiteral("C1"),   QStringLiteral("P"),  QStringLiteral("Gis_0"),        QStringLiteral(";"),
        QStringLiteral(";"),    QStringLiteral("12"), QStringLiteral("-7"),           QStringLiteral(" "),
        QStringLiteral("\r\n"), QStringLiteral("x"),  QStringLiteral("999999999999"), QStringLiteral("B4")};
    const QString sample = QStringLiteral("C1;10;5;D1;20;5;P;1;0;B4;255;255");
    TNotes notes;
    for (int round = 0; round < 5000; ++round) {
        QString text;
        if (round % 2 == 0) {
            const int count = int(rng() % 40);
            for (int i = 0; i < count; ++i)
                text += pieces[rng() % std::size(pieces)];
        } else {
            text = sample;
            const int edits = 1 + int(rng() % 4);
            for (int e = 0; e < edits && !text.isEmpty(); ++e) {
                const qsizetype at = qsizetype(rng() % uint32_t(text.size()));
                if (rng() % 2)
                    text.remove(at, 1 + qsizetype(rng() % 3));
                else
                    text.insert(at, QChar(char16_t(rng() % 0x500)));
            }
        }
        try {
            notes.SetText(text);
        } catch (const EConvertError &) {
            continue;
        }
        // Whatever was read writes out to a text that reads back the same.
        TNotes copy;
        copy.SetText(notes.Text());
        EXPECT_TRUE(copy.Equals(notes)) << qPrintable(text);
    }
}
