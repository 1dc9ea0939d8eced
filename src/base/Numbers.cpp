#include "base/Numbers.h"

#include "base/Error.h"

#include <QCoreApplication>

namespace {

char16_t CodeOf(QChar ch)
{
    return ch.unicode();
}

char16_t CodeOf(char ch)
{
    return uint8_t(ch);
}

// Decimal text as characters or as ASCII bytes.
template <typename TText> std::optional<int32_t> ParseDecimal(TText text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (CodeOf(text[i]) == u'-' || CodeOf(text[i]) == u'+')) {
        negative = CodeOf(text[i]) == u'-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char16_t ch = CodeOf(text[i]);
        if (ch < u'0' || ch > u'9')
            return std::nullopt;
        value = value * 10 + (ch - u'0');
        if (value > int64_t(INT32_MAX) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX)
        return std::nullopt;
    return int32_t(value);
}

} // namespace

std::optional<int32_t> ParseInt(QStringView text)
{
    return ParseDecimal(text);
}

std::optional<int32_t> ParseInt(QByteArrayView text)
{
    return ParseDecimal(text);
}

std::optional<uint32_t> ParseHex(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    uint64_t value = 0;
    for (QChar qc : text) {
        const char16_t ch = qc.unicode();
        int digit;
        if (ch >= u'0' && ch <= u'9')
            digit = ch - u'0';
        else if (ch >= u'a' && ch <= u'f')
            digit = ch - u'a' + 10;
        else if (ch >= u'A' && ch <= u'F')
            digit = ch - u'A' + 10;
        else
            return std::nullopt;
        value = value * 16 + digit;
        if (value > UINT32_MAX)
            return std::nullopt;
    }
    return uint32_t(value);
}

int32_t StrToInt(QStringView text)
{
    if (const auto value = ParseInt(text))
        return *value;
    throw EConvertError(QCoreApplication::translate("Numbers", "\"%1\" не является целым числом.").arg(text));
}
