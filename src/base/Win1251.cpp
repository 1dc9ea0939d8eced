#include "base/Win1251.h"

#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Unicode of the bytes 80h to FFh.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

// Unicode of every byte, so that converting bytes looks up each one once.
constexpr std::array<char16_t, 256> kAllBytes = [] {
    std::array<char16_t, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[size_t(b)] = b < 0x80 ? char16_t(b) : kHighHalf[size_t(b - 0x80)];
    return table;
}();

// Layout files are ASCII and the Cyrillic letters А to я (bytes C0h to FFh,
// U+0410 to U+044F): chunks of sixteen characters holding only these are
// converted sixteen at a time, other chunks character by character.
constexpr char16_t kCyrillicOffset = 0x0410 - 0xC0;

void Widen(const unsigned char *in, qsizetype size, char16_t *out)
{
    qsizetype i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i topBits = _mm_set1_epi8(char(0xC0));
    const __m128i highHalf = _mm_set1_epi8(char(0x80));
    const __m128i lastBelowLetters = _mm_set1_epi16(0xBF);
    const __m128i offset = _mm_set1_epi16(short(kCyrillicOffset));
    for (; i + 16 <= size; i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + i));
        // Bytes 80h to BFh take the table.
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(chunk, topBits), highHalf)) != 0) {
            for (qsizetype j = i; j < i + 16; ++j)
                out[j] = kAllBytes[in[j]];
            continue;
        }
        const __m128i low = _mm_unpacklo_epi8(chunk, zero);
        const __m128i high = _mm_unpackhi_epi8(chunk, zero);
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i),
                         _mm_add_epi16(low, _mm_and_si128(_mm_cmpgt_epi16(low, lastBelowLetters), offset)));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i + 8),
                         _mm_add_epi16(high, _mm_and_si128(_mm_cmpgt_epi16(high, lastBelowLetters), offset)));
    }
#endif
    for (; i < size; ++i)
        out[i] = kAllBytes[in[i]];
}

#if defined(__SSE2__)
// Eight characters as bytes when all are ASCII or А to я; false otherwise.
bool NarrowEight(__m128i chars, __m128i &bytes)
{
    // Unsigned comparisons as signed ones of values shifted by 8000h.
    const __m128i bias = _mm_set1_epi16(short(0x8000));
    const __m128i ascii = _mm_cmplt_epi16(_mm_xor_si128(chars, bias), _mm_set1_epi16(short(0x8080)));
    const __m128i letter = _mm_cmplt_epi16(_mm_xor_si128(_mm_sub_epi16(chars, _mm_set1_epi16(0x0410)), bias),
                                           _mm_set1_epi16(short(0x8040)));
    if (_mm_movemask_epi8(_mm_or_si128(ascii, letter)) != 0xFFFF)
        return false;
    bytes = _mm_sub_epi16(chars, _mm_and_si128(letter, _mm_set1_epi16(short(kCyrillicOffset))));
    return true;
}
#endif

void Narrow(const char16_t *in, qsizetype size, char *out)
{
    qsizetype i = 0;
#if defined(__SSE2__)
    for (; i + 16 <= size; i += 16) {
        __m128i low, high;
        if (NarrowEight(_mm_loadu_si128(reinterpret_cast<const __m128i *>(in + i)), low)
            && NarrowEight(_mm_loadu_si128(reinterpret_cast<const __m128i *>(in + i + 8)), high)) {
            _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i), _mm_packus_epi16(low, high));
            continue;
        }
        for (qsizetype j = i; j < i + 16; ++j)
            out[j] = Win1251ByteOrQuestion(in[j]);
    }
#endif
    for (; i < size; ++i)
        out[i] = Win1251ByteOrQuestion(in[i]);
}

} // namespace

char16_t Win1251Char(unsigned char byte)
{
    return byte < 0x80 ? char16_t(byte) : kHighHalf[byte - 0x80];
}

int Win1251Byte(char16_t ch)
{
    if (ch < 0x80)
        return ch;
    if (ch >= 0x0410 && ch <= 0x044F) // А to я, the common case
        return ch - 0x0410 + 0xC0;
    for (int i = 0; i < 0x40; ++i)
        if (kHighHalf[i] == ch)
            return 0x80 + i;
    return -1;
}

QString FromWin1251(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    Widen(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size(), out);
    return text;
}

QByteArray ToWin1251(QStringView text)
{
    QByteArray bytes;
    AppendWin1251(bytes, text);
    return bytes;
}

void AppendWin1251(QByteArray &out, QStringView text)
{
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char *next = out.data() + start;
    Narrow(text.utf16(), text.size(), next);
}
