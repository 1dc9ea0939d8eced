#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

/// Returns the 32-bit signed value of decimal text with an optional sign, or
/// nothing when the text is not such a number or does not fit.
std::optional<int32_t> ParseInt(QStringView text);
/// The same for text as ASCII bytes; any other byte makes it no number.
std::optional<int32_t> ParseInt(QByteArrayView text);

/// Returns the value of hexadecimal text (digits 0-9, a-f, A-F, no prefix),
/// or nothing when it is empty, holds another character or exceeds 32 bits.
std::optional<uint32_t> ParseHex(QStringView text);

/// Returns the decimal value of text, or raises EConvertError with the
/// message "\"%s\" не является целым числом.".
int32_t StrToInt(QStringView text);
