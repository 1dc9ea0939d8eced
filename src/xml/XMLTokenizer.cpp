#include "xml/XMLTokenizer.h"

#include "xml/ECXMLParser.h"

#include <QCoreApplication>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// The word-wise checks below read the first byte of a word as its lowest.
static_assert(std::endian::native == std::endian::little);

// Eight bytes with every byte set to b.
constexpr uint64_t Repeated(uint8_t b)
{
    return 0x0101010101010101ull * b;
}

// The high bit of every zero byte of x is set (and, past a zero byte, perhaps
// that of a 01h byte: such a false hit only sends a token the slow way).
constexpr uint64_t ZeroBytes(uint64_t x)
{
    return (x - Repeated(1)) & ~x & Repeated(0x80);
}

// Whether normalising could change the bytes: whether they hold a line break
// or two spaces in a row. Tags are checked eight bytes at a time, since
// almost none of them holds either.
bool MayNeedNormalising(QByteArrayView raw)
{
    const char *p = raw.data();
    const char *const end = p + raw.size();
    bool spaceBefore = false;
#if defined(__SSE2__)
    // Sixteen bytes at a time where the processor compares them at once.
    for (; end - p >= 16; p += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const unsigned spaces = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(' '))));
        const unsigned breaks = unsigned(_mm_movemask_epi8(_mm_or_si128(
            _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')))));
        if (breaks || (spaces & ((spaces << 1) | unsigned(spaceBefore))))
            return true;
        spaceBefore = (spaces >> 15) & 1;
    }
#endif
    for (; end - p >= 8; p += 8) {
        uint64_t word;
        std::memcpy(&word, p, sizeof word);
        const uint64_t spaces = ZeroBytes(word ^ Repeated(' '));
        const uint64_t breaks = ZeroBytes(word ^ Repeated('\r')) | ZeroBytes(word ^ Repeated('\n'));
        if (breaks || (spaces & (spaces >> 8)) || (spaceBefore && (spaces & 0x80)))
            return true;
        spaceBefore = p[7] == ' ';
    }
    for (; p < end; ++p) {
        if (*p == '\r' || *p == '\n' || (*p == ' ' && spaceBefore))
            return true;
        spaceBefore = *p == ' ';
    }
    return false;
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

bool TXMLTokenizer::Normalise(QByteArrayView raw)
{
    if (!MayNeedNormalising(raw)) {
        FToken = raw;
        return false;
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
    return true;
}

TXMLTokenizer::TKind TXMLTokenizer::Next()
{
    const qsizetype size = FInput.size();
    // The blanks between tokens are counted as they are passed over.
    while (FPos < size && IsBlank(FInput[FPos])) {
        if (FInput[FPos] == '\n')
            ++FLine;
        ++FPos;
    }
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
            throw EXMLError(QCoreApplication::translate("TECXMLParser", "Ошибка в XML файле: тег не закрыт"),
                            FTokenLine);
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
        throw EXMLError(QCoreApplication::translate("TECXMLParser", "Слишком длинная строка в XML файле"),
                        FTokenLine);
    FPos = next;
    // A tag that needs no normalising holds no line break to count.
    if (Normalise(QByteArrayView(base + start, end - start)) || !isTag)
        CountLines(start, next);

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
