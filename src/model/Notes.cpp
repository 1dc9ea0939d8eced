#include "model/Notes.h"

#include "base/Error.h"
#include "base/Numbers.h"

#include <QCoreApplication>
#include <QList>

namespace {

const QString &NameAt(int pitch)
{
    static const QList<QString> names = [] {
        static constexpr const char16_t *kSteps[] = {u"C",   u"Cis", u"D",   u"Dis", u"E",   u"F",
                                                     u"Fis", u"G",   u"Gis", u"A",   u"Ais", u"B"};
        QList<QString> list;
        list.reserve(kNoteNameCount);
        list.append(QStringLiteral("P"));
        // The first octave is written "_0", the following ones "0" to "4".
        for (int octave = 0; octave < 6; ++octave) {
            const QString suffix = octave == 0 ? QStringLiteral("_0") : QString::number(octave - 1);
            for (const char16_t *step : kSteps)
                list.append(QString::fromUtf16(step) + suffix);
        }
        return list;
    }();
    return names[pitch];
}

} // namespace

QString NoteName(int pitch)
{
    if (pitch < 0 || pitch >= kNoteNameCount)
        return QString();
    return NameAt(pitch);
}

int NotePitch(QStringView name)
{
    for (int pitch = 0; pitch < kNoteNameCount; ++pitch)
        if (NameAt(pitch) == name)
            return pitch;
    return -1;
}

TNotes::TNotes(TNotifier *notifier) : TNotifyObject(notifier) {}

TNotes::~TNotes() = default;

namespace {

[[noreturn]] void RaiseTooManyNotes()
{
    throw EError(QCoreApplication::translate("TNotes", "Количество нот не может быть больше 256."));
}

} // namespace

TNote &TNotes::Add()
{
    if (Count() >= kMaxNotes)
        RaiseTooManyNotes();
    // Melodies are short: room for a few notes spares the first regrowths.
    if (FItems.capacity() == 0)
        FItems.reserve(8);
    FItems.emplace_back(this, Notifier());
    Change();
    return FItems.back();
}

void TNotes::AddPacked(QByteArrayView pitchDurationVolume)
{
    const qsizetype count = pitchDurationVolume.size() / 3;
    if (count == 0)
        return;
    if (Count() + count > kMaxNotes)
        RaiseTooManyNotes();
    FItems.reserve(FItems.size() + size_t(count));
    for (qsizetype i = 0; i < count; ++i) {
        // Tested from the bytes read, not from the note just written: reading
        // back the fields as one word would wait for the byte writes.
        const auto pitch = uint8_t(pitchDurationVolume[3 * i]);
        const auto duration = uint8_t(pitchDurationVolume[3 * i + 1]);
        const auto volume = uint8_t(pitchDurationVolume[3 * i + 2]);
        TNote &note = FItems.emplace_back(this, Notifier());
        note.FPitch = pitch;
        note.FDuration = duration;
        note.FVolume = volume;
        note.FIsChanged = (pitch | duration | volume) != 0;
    }
    Change();
}

void TNotes::Clear()
{
    if (FItems.empty())
        return;
    FItems.clear();
    Change();
}

void TNotes::Assign(const TNotes &source)
{
    // Also covers assigning a melody to itself, which must not empty it.
    if (Equals(source))
        return;
    Clear();
    FItems.reserve(source.FItems.size());
    for (const TNote &note : source.FItems) {
        TNote &copy = Add();
        copy.SetPitch(note.Pitch());
        copy.SetVolume(note.Volume());
        copy.SetDuration(note.Duration());
    }
}

bool TNotes::Equals(const TNotes &other) const
{
    if (Count() != other.Count())
        return false;
    for (size_t i = 0; i < FItems.size(); ++i) {
        const TNote &a = FItems[i];
        const TNote &b = other.FItems[i];
        if (a.Pitch() != b.Pitch() || a.Duration() != b.Duration() || a.Volume() != b.Volume())
            return false;
    }
    return true;
}

QString TNotes::Text() const
{
    QString text;
    for (const TNote &note : FItems) {
        if (!text.isEmpty())
            text += u';';
        text += NoteName(note.Pitch()) + u';' + QString::number(note.Duration()) + u';' +
                QString::number(note.Volume());
    }
    return text;
}

void TNotes::SetText(QStringView text)
{
    Clear();
    const QList<QStringView> parts = text.split(u';');
    // Only whole groups of name, duration and volume count; a trailing ";"
    // leaves a group of one empty part, which ends the reading harmlessly.
    for (qsizetype i = 0; i + 2 < parts.size(); i += 3) {
        const int pitch = NotePitch(parts[i]);
        if (pitch < 0)
            continue;
        TNote &note = Add();
        note.SetPitch(uint8_t(pitch));
        note.SetDuration(uint8_t(StrToInt(parts[i + 1]) & 0xFF));
        note.SetVolume(uint8_t(StrToInt(parts[i + 2]) & 0xFF));
    }
}
