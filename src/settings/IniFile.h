#pragma once

#include <QString>
#include <QStringList>
#include <vector>

/// A small INI store that keeps a file as it was: sections, keys, comments
/// and lines it does not understand stay in their order, and writing a key
/// changes only that key's line. Section and key names are compared without
/// letter case; the first section or key of a name is the one used. The file
/// is Windows-1251 text with CR LF line ends; reading also takes a lone CR
/// or LF as a line end.
///
/// A line "[name]" starts a section; a line "key=value" inside a section is a
/// key (name and value trimmed, the value taken after the first "="). Lines
/// before the first section, comments (";") and lines without "=" are kept but
/// hold no keys.
class TIniFile {
public:
    TIniFile() = default;
    /// Loads fileName, or starts empty when it cannot be read.
    explicit TIniFile(const QString &fileName);

    /// The file last loaded or saved.
    const QString &FileName() const { return FFileName; }

    /// Replaces the contents by the file's; returns false (and leaves the
    /// store empty) when the file is missing, cannot be read, is not a
    /// regular file or is larger than FileLimits::kSettingsFile.
    bool LoadFromFile(const QString &fileName);
    /// Writes the store to fileName in one step: the file is either replaced
    /// whole or left as it was. Raises EError naming the file when it cannot
    /// be written or is not a regular file.
    void SaveToFile(const QString &fileName);
    /// Returns the store as file bytes (Windows-1251, CR LF).
    QByteArray ToBytes() const;
    /// Replaces the contents by file bytes.
    void FromBytes(const QByteArray &bytes);
    /// Empties the store.
    void Clear();

    /// Returns whether a section of the name exists.
    bool SectionExists(const QString &section) const;
    /// Returns the names of the sections in file order.
    QStringList SectionNames() const;
    /// Returns the key names of the section in file order (empty when there
    /// is no such section).
    QStringList KeyNames(const QString &section) const;
    /// Returns whether the section holds the key.
    bool ValueExists(const QString &section, const QString &key) const;

    /// Returns the key's value, or defaultValue when there is none.
    QString ReadString(const QString &section, const QString &key, const QString &defaultValue) const;
    /// Returns the key's value as a decimal integer, or defaultValue when the
    /// key is missing or its value is not such a number.
    int ReadInteger(const QString &section, const QString &key, int defaultValue) const;
    /// Returns whether the key's integer value is non-zero; defaultValue when
    /// it is missing or not a number.
    bool ReadBool(const QString &section, const QString &key, bool defaultValue) const;

    /// Sets the key's value; a new key goes after the section's last line, a
    /// new section at the end of the file.
    void WriteString(const QString &section, const QString &key, const QString &value);
    /// Writes the value in decimal.
    void WriteInteger(const QString &section, const QString &key, int value);
    /// Writes "1" or "0".
    void WriteBool(const QString &section, const QString &key, bool value);

    /// Removes the key's line; nothing happens when there is none.
    void DeleteKey(const QString &section, const QString &key);
    /// Removes the section with all its lines.
    void EraseSection(const QString &section);

private:
    // One line of the file. A key line keeps its parsed name and value; any
    // other line keeps its text as read.
    struct TLine {
        QString Text;
        QString Key;
        QString Value;
        bool IsKey = false;
    };
    // A section: its header line as read and its lines up to the next
    // header. The lines before the first header form a section without one.
    struct TSection {
        QString Header;
        QString Name;
        bool HasHeader = true;
        std::vector<TLine> Lines;
    };

    const TSection *FindSection(const QString &name) const;
    TSection *FindSection(const QString &name);
    static const TLine *FindKey(const TSection &section, const QString &key);
    static void AddLine(TSection &section, const QString &text);

    QString FFileName;
    std::vector<TSection> FSections;
};
