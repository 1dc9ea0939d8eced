#include "xml/XMLStreamWriter.h"

#include "xml/XMLDocumentIO.h"

#include <charconv>

TXMLStreamWriter::TXMLStreamWriter(qsizetype capacity) : FOut(capacity)
{
    FOut.Put(kXMLDeclaration);
    FOpen.reserve(16);
}

void TXMLStreamWriter::Begin(QStringView name)
{
    if (!FOpen.empty())
        StartContent();
    FOpen.push_back({name, false});
    FOut.Spaces(Indent());
    FOut.Put('<');
    FOut.Win1251(name);
}

void TXMLStreamWriter::Attribute(QStringView name, QStringView value)
{
    if (value.isEmpty())
        return;
    FOut.Put(' ');
    FOut.Win1251(name);
    FOut.Put("=\"");
    FOut.EncodedValue(value);
    FOut.Put('"');
}

void TXMLStreamWriter::Attribute(QStringView name, int value)
{
    FOut.Put(' ');
    FOut.Win1251(name);
    FOut.Put("=\"");
    constexpr int kMaxDigits = 11;
    char *place = FOut.Room(kMaxDigits);
    FOut.Advance(std::to_chars(place, place + kMaxDigits, value).ptr);
    FOut.Put('"');
}

void TXMLStreamWriter::Text(QStringView text)
{
    if (IsBlankText(text))
        return;
    StartContent();
    FOut.Spaces(Indent() + 2);
    FOut.EncodedText(text);
    FOut.Put("\r\n");
}

void TXMLStreamWriter::End()
{
    const TOpenElement element = FOpen.back();
    if (!element.HasContent) {
        FOut.Put("/>\r\n");
    } else {
        FOut.Spaces(Indent());
        FOut.Put("</");
        FOut.Win1251(element.Name);
        FOut.Put(">\r\n");
    }
    FOpen.pop_back();
}

void TXMLStreamWriter::StartContent()
{
    TOpenElement &element = FOpen.back();
    if (element.HasContent)
        return;
    element.HasContent = true;
    FOut.Put(">\r\n");
}
