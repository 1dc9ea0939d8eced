#include "files/xml/ECXMLParser.h"
#include "files/xml/XMLDocumentIO.h"
#include "files/xml/XMLEntities.h"

#include "base/Win1251.h"

namespace {

void AppendStartTagContent(QByteArray &out, const TXMLItem &item)
{
    AppendWin1251(out, item.Name());
    for (const auto &[name, value] : item.Attributes()) {
        out.append(' ');
        AppendWin1251(out, name);
        out.append("=\"");
        AppendEncodedAttributeValue(out, value);
        out.append('"');
    }
}

// Each child is written with its parent's line-break setting.
void WriteElement(QByteArray &out, TXMLItem &item, int indent, bool crLf)
{
    item.SetCrLfInAsString(crLf);
    const QByteArrayView lineEnd = crLf ? QByteArrayView("\r\n") : QByteArrayView();
    const int step = crLf ? 2 : 0;
    const bool hasText = !IsBlankText(item.Text());

    out.append(indent, ' ');
    out.append('<');
    AppendStartTagContent(out, item);
    if (!hasText && item.Count() == 0) {
        out.append("/>");
        out.append(lineEnd);
        return;
    }
    out.append('>');
    out.append(lineEnd);
    if (hasText) {
        out.append(indent + step, ' ');
        AppendEncodedText(out, item.Text());
        out.append(lineEnd);
    }
    for (int i = 0; i < item.Count(); ++i)
        WriteElement(out, *item.Item(i), indent + step, crLf);
    out.append(indent, ' ');
    out.append("</");
    AppendWin1251(out, item.Name());
    out.append('>');
    out.append(lineEnd);
}

} // namespace

QByteArray WriteXMLDocument(const TECXMLParser &parser, bool isStyleSheetFile)
{
    QByteArray out;
    out.reserve(64 * 1024);
    out.append("<?xml version=\"1.0\" encoding=\"ISO8859-1\" ?>\r\n");
    if (!isStyleSheetFile && !IsBlankText(parser.StyleSheet)) {
        out.append("<?xml-stylesheet type=\"text/xsl\" href=\"");
        out.append(ToWin1251(parser.StyleSheet));
        out.append("\"?>\r\n");
    }
    TXMLItem &root = parser.Root();
    WriteElement(out, root, 2, root.CrLfInAsString());
    return out;
}
