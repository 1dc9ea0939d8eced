#include "files/xml/XMLTokenizer.h"

#include "files/xml/ECXMLParser.h"

#include <cstring>

namespace {

bool IsBlank(char c)
{
    return c >= 1 && c <= 32;
}

bool StartsWithNoCase(QByteArrayView text, QByteArrayView prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (qsizetype i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}

} // namespace

void TXMLTokenizer::CountLines(qsizetype from, qsizetype to)
{
    // Empty input has no data pointer, and memchr must not be given null.
    if (from >= to)
        return;
    const char *p = FInput.data() + from;
    const char *end = FInput.data() + to;
    while ((p = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p))))) {
        ++FLine;
        ++p;
    }
}

void TXMLTokenizer::Normalise(QByteArrayView raw)
{
    const bool hasBreaks = raw.contains('\r') || raw.contains('\n');
    if (!hasBreaks && !raw.contains("  ")) {
        FToken = raw;
        return;
    }
    // Delete CR LF pairs, then LF CR pairs, each in one left-to-right pass.
    QByteArray pass1;
    pass1.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n')
            ++i;
        else
            pass1.append(raw[i]);
    }
    FScratch.clear();
    FScratch.reserve(pass1.size());
    for (qsizetype i = 0; i < pass1.size(); ++i) {
        if (pass1[i] == '\n' && i + 1 < pass1.size() && pass1[i + 1] == '\r')
            ++i;
        else if (pass1[i] == ' ' && !FScratch.isEmpty() && FScratch.back() == ' ')
            continue; // a run of spaces becomes one space
        else
            FScratch.append(pass1[i]);
    }
    FToken = FScratch;
}

TXMLTokenizer::TKind TXMLTokenizer::Next()
{
    const qsizetype size = FInput.size();
    const qsizetype blanksFrom = FPos;
    while (FPos < size && IsBlank(FInput[FPos]))
        ++FPos;
    CountLines(blanksFrom, FPos);
    FTokenLine = FLine;
    if (FPos >= size) {
        FToken = {};
        return tkEnd;
    }

    const qsizetype start = FPos;
    const char *base = FInput.data();
    qsizetype end; // one past the token
    qsizetype next;
    const bool isTag = base[start] == '<';
    if (isTag) {
        const void *gt = std::memchr(base + start + 1, '>', size_t(size - start - 1));
        if (!gt)
            throw EXMLError(QStringLiteral("Ошибка в XML файле: тег не закрыт"), FTokenLine);
        end = static_cast<const char *>(gt) - base + 1;
        next = end;
    } else {
        const void *lt = std::memchr(base + start, '<', size_t(size - start));
        next = lt ? static_cast<const char *>(lt) - base : size;
        end = next;
        while (end > start && IsBlank(base[end - 1]))
            --end;
    }
    if (end - start > kBufferSize)
        throw EXMLError(QStringLiteral("Слишком длинная строка в XML файле"), FTokenLine);
    CountLines(start, next);
    FPos = next;
    Normalise(QByteArrayView(base + start, end - start));

    if (!isTag)
        return tkText;
    if (StartsWithNoCase(FToken, "<?xml"))
        return tkDeclaration;
    if (FToken.startsWith("<!--"))
        return tkComment;
    if (FToken.endsWith("/>"))
        return tkEmptyTag;
    if (FToken.startsWith("</"))
        return tkEndTag;
    return tkStartTag;
}
