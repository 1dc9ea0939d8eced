#include "files/xml/XMLEntities.h"

#include "base/Win1251.h"

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

bool IsMarkup(QChar ch)
{
    return ch == u'&' || ch == u'<' || ch == u'>' || ch == u'"';
}

// Appends the entity of one of & < > ".
void AppendMarkupEntity(QByteArray &out, QChar ch)
{
    switch (ch.unicode()) {
    case u'&': out.append("&amp;"); break;
    case u'<': out.append("&lt;"); break;
    case u'>': out.append("&gt;"); break;
    default: out.append("&quot;"); break;
    }
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

// Plain characters are appended in runs, each converted at once; only the
// characters that need an entity are looked at one by one.
void AppendEncodedText(QByteArray &out, QStringView text)
{
    qsizetype run = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        const bool lineBreak = ch == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n';
        if (!lineBreak && !IsMarkup(ch))
            continue;
        AppendWin1251(out, text.sliced(run, i - run));
        if (lineBreak) {
            out.append("<br/>");
            ++i;
        } else {
            AppendMarkupEntity(out, ch);
        }
        run = i + 1;
    }
    AppendWin1251(out, text.sliced(run));
}

void AppendEncodedAttributeValue(QByteArray &out, QStringView value)
{
    qsizetype run = 0;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar ch = value[i];
        if (ch != u'\r' && ch != u'\n' && !IsMarkup(ch))
            continue;
        AppendWin1251(out, value.sliced(run, i - run));
        if (ch == u'\r')
            out.append("&#13;");
        else if (ch == u'\n')
            out.append("&#10;");
        else
            AppendMarkupEntity(out, ch);
        run = i + 1;
    }
    AppendWin1251(out, value.sliced(run));
}
