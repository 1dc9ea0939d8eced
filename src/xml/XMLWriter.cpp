#include "xml/ECXMLParser.h"
#include "xml/XMLDocumentIO.h"
#include "xml/XMLEntities.h"

#include "base/Win1251.h"

#include <algorithm>
#include <cstring>

namespace {

// The document's bytes, written into one buffer that grows in doubling
// steps: every piece asks for room for its worst case once and is then
// written byte by byte, without a string of its own.
class TByteSink {
public:
    explicit TByteSink(qsizetype capacity)
    {
        FBytes.resize(capacity);
        FNext = FBytes.data();
        FEnd = FNext + capacity;
    }

    /// Returns the place for at most size bytes; Advance tells how far they
    /// reached.
    char *Room(qsizetype size)
    {
        if (FEnd - FNext < size)
            Grow(size);
        return FNext;
    }
    void Advance(char *to) { FNext = to; }

    void Put(QByteArrayView bytes)
    {
        // An empty view may carry no address, which memcpy must not get.
        if (bytes.isEmpty())
            return;
        char *place = Room(bytes.size());
        std::memcpy(place, bytes.data(), size_t(bytes.size()));
        FNext = place + bytes.size();
    }
    void Put(char byte)
    {
        *Room(1) = byte;
        ++FNext;
    }
    void Spaces(int count)
    {
        char *place = Room(count);
        std::memset(place, ' ', size_t(count));
        FNext = place + count;
    }
    void Win1251(QStringView text)
    {
        char *place = Room(text.size());
        for (const QChar ch : text)
            *place++ = Win1251ByteOrQuestion(ch.unicode());
        FNext = place;
    }
    void EncodedText(QStringView text) { FNext = EncodeText(Room(kMaxEncodedCharBytes * text.size()), text); }
    void EncodedValue(QStringView value)
    {
        FNext = EncodeAttributeValue(Room(kMaxEncodedCharBytes * value.size()), value);
    }

    /// Returns the bytes written.
    QByteArray Take()
    {
        FBytes.truncate(FNext - FBytes.data());
        return std::move(FBytes);
    }

private:
    void Grow(qsizetype size)
    {
        const qsizetype used = FNext - FBytes.data();
        FBytes.resize(std::max(2 * FBytes.size(), used + size));
        FNext = FBytes.data() + used;
        FEnd = FBytes.data() + FBytes.size();
    }

    QByteArray FBytes;
    char *FNext;
    char *FEnd;
};

void PutStartTagContent(TByteSink &out, const TXMLItem &item)
{
    out.Win1251(item.Name());
    for (const auto &[name, value] : item.Attributes()) {
        out.Put(' ');
        out.Win1251(name);
        out.Put("=\"");
        out.EncodedValue(value);
        out.Put('"');
    }
}

// Each child is written with its parent's line-break setting.
void WriteElement(TByteSink &out, TXMLItem &item, int indent, bool crLf)
{
    item.SetCrLfInAsString(crLf);
    const QByteArrayView lineEnd = crLf ? QByteArrayView("\r\n") : QByteArrayView();
    const int step = crLf ? 2 : 0;
    const bool hasText = !IsBlankText(item.Text());

    out.Spaces(indent);
    out.Put('<');
    PutStartTagContent(out, item);
    if (!hasText && item.Count() == 0) {
        out.Put("/>");
        out.Put(lineEnd);
        return;
    }
    out.Put('>');
    out.Put(lineEnd);
    if (hasText) {
        out.Spaces(indent + step);
        out.EncodedText(item.Text());
        out.Put(lineEnd);
    }
    for (int i = 0; i < item.Count(); ++i)
        WriteElement(out, *item.Item(i), indent + step, crLf);
    out.Spaces(indent);
    out.Put("</");
    out.Win1251(item.Name());
    out.Put('>');
    out.Put(lineEnd);
}

} // namespace

QByteArray WriteXMLDocument(const TECXMLParser &parser, bool isStyleSheetFile)
{
    TByteSink out(64 * 1024);
    out.Put("<?xml version=\"1.0\" encoding=\"ISO8859-1\" ?>\r\n");
    if (!isStyleSheetFile && !IsBlankText(parser.StyleSheet)) {
        out.Put("<?xml-stylesheet type=\"text/xsl\" href=\"");
        out.Win1251(parser.StyleSheet);
        out.Put("\"?>\r\n");
    }
    TXMLItem &root = parser.Root();
    WriteElement(out, root, 2, root.CrLfInAsString());
    return out.Take();
}
