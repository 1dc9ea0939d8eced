#include "settings/IniFile.h"

#include "base/Error.h"
#include "base/Numbers.h"
#include "base/SafeFile.h"
#include "base/Win1251.h"

namespace {

bool IsBlank(QChar ch)
{
    return ch == u' ' || ch == u'\t';
}

// Only blanks and tabs are trimmed: Unicode trimming would also take the
// no-break space, which is an ordinary byte (A0h) of the code page.
QStringView Trim(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

bool SameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A line break inside a name or value would split the line on the next load.
QString OneLine(const QString &text)
{
    QString result = text;
    result.replace(u'\r', u' ');
    result.replace(u'\n', u' ');
    return result;
}

} // namespace

TIniFile::TIniFile(const QString &fileName)
{
    LoadFromFile(fileName);
}

bool TIniFile::LoadFromFile(const QString &fileName)
{
    FFileName = fileName;
    Clear();
    // A settings file that is missing, a device, a FIFO or absurdly large
    // counts as absent: the program starts with its defaults.
    QByteArray bytes;
    try {
        bytes = ReadFileBounded(fileName, FileLimits::kSettingsFile);
    } catch (const EError &) {
        return false;
    }
    FromBytes(bytes);
    return true;
}

void TIniFile::SaveToFile(const QString &fileName)
{
    WriteFileAtomically(fileName, ToBytes());
    FFileName = fileName;
}

void TIniFile::Clear()
{
    FSections.clear();
}

void TIniFile::FromBytes(const QByteArray &bytes)
{
    Clear();
    const QString text = FromWin1251(bytes);
    TSection *current = nullptr;
    qsizetype start = 0;
    while (start < text.size()) {
        // CR LF, a lone LF and a lone CR each end a line.
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        const QStringView line = QStringView(text).sliced(start, end - start);
        start = end + 1;
        if (end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n')
            ++start;

        const QStringView trimmed = Trim(line);
        if (trimmed.startsWith(u'[')) {
            qsizetype close = trimmed.indexOf(u']');
            if (close < 0)
                close = trimmed.size();
            TSection section;
            section.Header = line.toString();
            section.Name = Trim(trimmed.sliced(1, close - 1)).toString();
            FSections.push_back(std::move(section));
            current = &FSections.back();
            continue;
        }
        if (!current) {
            TSection preamble;
            preamble.HasHeader = false;
            FSections.push_back(std::move(preamble));
            current = &FSections.back();
        }
        AddLine(*current, line.toString());
    }
}

void TIniFile::AddLine(TSection &section, const QString &text)
{
    TLine line;
    line.Text = text;
    const QStringView trimmed = Trim(text);
    const qsizetype equals = trimmed.indexOf(u'=');
    if (equals >= 0 && !trimmed.startsWith(u';')) {
        line.IsKey = true;
        line.Key = Trim(trimmed.first(equals)).toString();
        line.Value = Trim(trimmed.sliced(equals + 1)).toString();
    }
    section.Lines.push_back(std::move(line));
}

QByteArray TIniFile::ToBytes() const
{
    const QString lineEnd = QStringLiteral("\r\n");
    QString text;
    for (const TSection &section : FSections) {
        if (section.HasHeader)
            text += section.Header + lineEnd;
        for (const TLine &line : section.Lines)
            text += line.Text + lineEnd;
    }
    return ToWin1251(text);
}

const TIniFile::TSection *TIniFile::FindSection(const QString &name) const
{
    for (const TSection &section : FSections)
        if (section.HasHeader && SameName(section.Name, name))
            return &section;
    return nullptr;
}

TIniFile::TSection *TIniFile::FindSection(const QString &name)
{
    return const_cast<TSection *>(std::as_const(*this).FindSection(name));
}

const TIniFile::TLine *TIniFile::FindKey(const TSection &section, const QString &key)
{
    for (const TLine &line : section.Lines)
        if (line.IsKey && SameName(line.Key, key))
            return &line;
    return nullptr;
}

bool TIniFile::SectionExists(const QString &section) const
{
    return FindSection(section) != nullptr;
}

QStringList TIniFile::SectionNames() const
{
    QStringList names;
    for (const TSection &section : FSections)
        if (section.HasHeader)
            names.append(section.Name);
    return names;
}

QStringList TIniFile::KeyNames(const QString &section) const
{
    QStringList names;
    if (const TSection *found = FindSection(section))
        for (const TLine &line : found->Lines)
            if (line.IsKey)
                names.append(line.Key);
    return names;
}

bool TIniFile::ValueExists(const QString &section, const QString &key) const
{
    const TSection *found = FindSection(section);
    return found && FindKey(*found, key);
}

QString TIniFile::ReadString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const TSection *found = FindSection(section);
    const TLine *line = found ? FindKey(*found, key) : nullptr;
    return line ? line->Value : defaultValue;
}

int TIniFile::ReadInteger(const QString &section, const QString &key, int defaultValue) const
{
    const TSection *found = FindSection(section);
    const TLine *line = found ? FindKey(*found, key) : nullptr;
    if (!line)
        return defaultValue;
    return ParseInt(line->Value).value_or(defaultValue);
}

bool TIniFile::ReadBool(const QString &section, const QString &key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    const QString name = Trim(OneLine(key)).toString();
    TLine line;
    line.IsKey = true;
    line.Key = name;
    line.Value = OneLine(value);
    line.Text = name + u'=' + line.Value;

    TSection *found = FindSection(section);
    if (!found) {
        TSection added;
        added.Name = Trim(OneLine(section)).toString();
        added.Header = u'[' + added.Name + u']';
        added.Lines.push_back(std::move(line));
        FSections.push_back(std::move(added));
        return;
    }
    for (TLine &existing : found->Lines)
        if (existing.IsKey && SameName(existing.Key, name)) {
            // The key keeps the spelling it had in the file.
            line.Key = existing.Key;
            line.Text = existing.Key + u'=' + line.Value;
            existing = std::move(line);
            return;
        }
    // After the last non-blank line, so that blank lines separating this
    // section from the next stay where they are.
    auto position = found->Lines.end();
    while (position != found->Lines.begin() && Trim(std::prev(position)->Text).isEmpty())
        --position;
    found->Lines.insert(position, std::move(line));
}

void TIniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::DeleteKey(const QString &section, const QString &key)
{
    TSection *found = FindSection(section);
    if (!found)
        return;
    for (auto it = found->Lines.begin(); it != found->Lines.end(); ++it)
        if (it->IsKey && SameName(it->Key, key)) {
            found->Lines.erase(it);
            return;
        }
}

void TIniFile::EraseSection(const QString &section)
{
    for (auto it = FSections.begin(); it != FSections.end(); ++it)
        if (it->HasHeader && SameName(it->Name, section)) {
            FSections.erase(it);
            return;
        }
}
