#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Files carry Windows-1251 bytes; text in memory is Unicode. The conversion is
// lossless for all 256 byte values: 98h, which the code page leaves undefined,
// maps to U+0098 and back.

/// Returns the Unicode text of Windows-1251 bytes.
QString FromWin1251(QByteArrayView bytes);

/// Returns the Windows-1251 bytes of a text; characters the code page cannot
/// hold become '?'.
QByteArray ToWin1251(QStringView text);

/// Appends the Windows-1251 bytes of a text to out, like ToWin1251.
void AppendWin1251(QByteArray &out, QStringView text);

/// Returns the Windows-1251 byte of one character, or -1 when there is none.
int Win1251Byte(char16_t ch);

/// Returns the character of one Windows-1251 byte.
char16_t Win1251Char(unsigned char byte);

/// Returns the Windows-1251 byte of one character, '?' when there is none:
/// ASCII and the Cyrillic letters А to я without a table search.
inline char Win1251ByteOrQuestion(char16_t ch)
{
    if (ch < 0x80)
        return char(ch);
    if (ch >= 0x0410 && ch <= 0x044F)
        return char(ch - 0x0410 + 0xC0);
    const int byte = Win1251Byte(ch);
    return char(byte < 0 ? '?' : byte);
}
