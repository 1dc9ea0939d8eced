#include "xml/ByteSink.h"
#include "xml/ECXMLParser.h"
#include "xml/XMLDocumentIO.h"
#include "xml/XMLEntities.h"

#include "base/Error.h"

#include <QCoreApplication>
#include <QIODevice>

namespace {

void PutStartTagContent(TByteSink &out, const TXMLItem &item)
{
    out.Win1251(item.Name());
    for (int i = 0; i < item.AttributeCount(); ++i) {
        out.Put(' ');
        out.Win1251(item.AttributeName(i));
        out.Put("=\"");
        // Bytes read from a document that encoding would give back as they
        // are need no round through text.
        if (const QByteArrayView raw = item.RawAttributeValue(i); !raw.isNull() && IsPlainAttributeValue(raw))
            out.Put(raw);
        else
            out.EncodedValue(item.AttributeValue(i));
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
    out.Put(kXMLDeclaration);
    if (!isStyleSheetFile && !IsBlankText(parser.StyleSheet)) {
        out.Put("<?xml-stylesheet type=\"text/xsl\" href=\"");
        out.Win1251(parser.StyleSheet);
        out.Put("\"?>\r\n");
    }
    TXMLItem &root = parser.Root();
    WriteElement(out, root, 2, root.CrLfInAsString());
    return out.Take();
}

void WriteDocument(QIODevice &stream, const QByteArray &bytes)
{
    if (stream.write(bytes) != bytes.size())
        throw EError(
            QCoreApplication::translate("TECXMLParser", "Ошибка записи: %1").arg(stream.errorString()));
}
