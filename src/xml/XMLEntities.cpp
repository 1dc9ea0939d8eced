#include "xml/XMLEntities.h"

#include "base/Win1251.h"

#include <cstring>

namespace {

struct TEntity {
    const char *Name; // without '&'
    int Length;
    char16_t Value;
};

constexpr TEntity kTextEntities[] = {
    {"lt;", 3, u'<'}, {"gt;", 3, u'>'}, {"quot;", 5, u'"'}, {"amp;", 4, u'&'}};
constexpr TEntity kAttributeEntities[] = {{"#13;", 4, u'\r'}, {"#10;", 4, u'\n'}, {"lt;", 3, u'<'},
                                          {"gt;", 3, u'>'},   {"quot;", 5, u'"'}, {"amp;", 4, u'&'}};

template <typename Char> char16_t ToChar16(Char c);
template <> char16_t ToChar16<char>(char c) { return Win1251Char(static_cast<unsigned char>(c)); }
template <> char16_t ToChar16<QChar>(QChar c) { return c.unicode(); }

// One left-to-right pass. Every entity starts with '&' and holds no other '&',
// so this gives the same result as replacing each entity in turn through the
// whole text, with "&amp;" last ("&amp;lt;" becomes "&lt;", not "<").
template <typename Char, size_t N>
QString Decode(const Char *data, qsizetype size, const TEntity (&entities)[N])
{
    QString text(size, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    char16_t *const begin = out;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t ch = ToChar16(data[i]);
        if (ch == u'&') {
            const TEntity *match = nullptr;
            for (const TEntity &e : entities) {
                if (size - i - 1 < e.Length)
                    continue;
                int k = 0;
                while (k < e.Length && ToChar16(data[i + 1 + k]) == char16_t(e.Name[k]))
                    ++k;
                if (k == e.Length) {
                    match = &e;
                    break;
                }
            }
            if (match) {
                *out++ = match->Value;
                i += match->Length;
                continue;
            }
        }
        *out++ = ch;
    }
    text.truncate(out - begin);
    return text;
}

} // namespace

bool IsBlankText(QStringView text)
{
    for (QChar ch : text)
        if (ch.unicode() > 32)
            return false;
    return true;
}

QString DecodeText(QByteArrayView bytes)
{
    if (!bytes.contains('&'))
        return FromWin1251(bytes);
    return Decode(bytes.data(), bytes.size(), kTextEntities);
}

QString DecodeText(QStringView text)
{
    return Decode(text.data(), text.size(), kTextEntities);
}

QString DecodeAttributeValue(QByteArrayView bytes)
{
    if (!bytes.contains('&'))
        return FromWin1251(bytes);
    return Decode(bytes.data(), bytes.size(), kAttributeEntities);
}

bool IsPlainAttributeValue(QByteArrayView bytes)
{
    for (const char c : bytes)
        switch (c) {
        case '&': case '<': case '>': case '"': case '\r': case '\n': return false;
        default: break;
        }
    return true;
}

namespace {

char *Put(char *out, const char *entity, int size)
{
    std::memcpy(out, entity, size_t(size));
    return out + size;
}

// Writes the entity of one of & < > ", or the character's byte.
char *PutCharacter(char *out, char16_t ch)
{
    switch (ch) {
    case u'&': return Put(out, "&amp;", 5);
    case u'<': return Put(out, "&lt;", 4);
    case u'>': return Put(out, "&gt;", 4);
    case u'"': return Put(out, "&quot;", 6);
    default: *out = Win1251ByteOrQuestion(ch); return out + 1;
    }
}

// Appends through an encoder: room for the worst case first, then cut to
// what was written.
template <typename Encoder> void AppendEncoded(QByteArray &out, QStringView text, Encoder encode)
{
    const qsizetype start = out.size();
    out.resize(start + kMaxEncodedCharBytes * text.size());
    char *const begin = out.data();
    out.truncate(encode(begin + start, text) - begin);
}

} // namespace

char *EncodeText(char *out, QStringView text)
{
    const char16_t *p = text.utf16();
    const char16_t *const end = p + text.size();
    for (; p < end; ++p) {
        const char16_t ch = *p;
        if (ch == u'\r' && p + 1 < end && p[1] == u'\n') {
            out = Put(out, "<br/>", 5);
            ++p;
        } else {
            out = PutCharacter(out, ch);
        }
    }
    return out;
}

char *EncodeAttributeValue(char *out, QStringView value)
{
    for (const QChar c : value) {
        const char16_t ch = c.unicode();
        if (ch == u'\r')
            out = Put(out, "&#13;", 5);
        else if (ch == u'\n')
            out = Put(out, "&#10;", 5);
        else
            out = PutCharacter(out, ch);
    }
    return out;
}

void AppendEncodedText(QByteArray &out, QStringView text)
{
    AppendEncoded(out, text, EncodeText);
}

void AppendEncodedAttributeValue(QByteArray &out, QStringView value)
{
    AppendEncoded(out, value, EncodeAttributeValue);
}
