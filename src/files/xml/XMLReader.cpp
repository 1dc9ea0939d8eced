#include "files/xml/ECXMLParser.h"
#include "files/xml/XMLDocumentIO.h"
#include "files/xml/XMLEntities.h"
#include "files/xml/XMLTextPool.h"
#include "files/xml/XMLTokenizer.h"

#include "base/Win1251.h"

#include <QVarLengthArray>
#include <algorithm>
#include <cstring>

namespace {

// Values up to this length are numbers, flags and colours, worth sharing.
constexpr qsizetype kPooledValue = 10;

// The element name: up to the first space; without a space up to the first
// "/"; without either all but the closing ">".
QByteArrayView TagName(QByteArrayView tag)
{
    const qsizetype space = tag.indexOf(' ');
    qsizetype end = space;
    if (end < 0)
        end = tag.indexOf('/');
    if (end < 0)
        end = tag.size() - 1;
    return end <= 1 ? QByteArrayView() : tag.sliced(1, end - 1);
}

// Attributes: the text between the first space and the closing ">" (a "/"
// right before it left out), cut at every space outside double quotes.
void ReadAttributes(QByteArrayView tag, TXMLItem &item, TXMLTextPool &pool)
{
    const qsizetype space = tag.indexOf(' ');
    if (space < 0)
        return;
    qsizetype end = tag.size() - 1; // the closing '>'
    if (end > space && tag[end - 1] == '/')
        --end;
    if (end <= space)
        return;
    const QByteArrayView list = tag.sliced(space + 1, end - space - 1);
    item.ReserveAttributes(int(std::count(list.begin(), list.end(), '=')));

    // The name classes taken so far: a name of a new class is appended, one
    // of a class already there gives the first of them its value. An item
    // that has attributes already looks every name up.
    const bool fresh = item.Attributes().empty();
    QVarLengthArray<int, 16> classes;
    auto addPiece = [&](QByteArrayView piece) {
        const qsizetype eq = piece.indexOf('=');
        if (eq < 0)
            return; // a name without a value stores nothing
        QByteArrayView value = piece.sliced(eq + 1);
        if (value.size() > 2) {
            if (value.startsWith('"'))
                value = value.sliced(1);
            if (value.endsWith('"'))
                value.chop(1);
        }
        QString decoded = value.size() <= kPooledValue && !value.contains('&') ? pool.Value(value).Text
                                                                                     : DecodeAttributeValue(value);
        if (decoded.isEmpty())
            return;
        const TXMLTextPool::TEntry &name = pool.Name(piece.first(eq));
        if (fresh && !classes.contains(name.NameClass)) {
            classes.append(name.NameClass);
            item.AppendAttribute(name.Text, std::move(decoded));
        } else {
            item.SetAttribute(name.Text, decoded);
        }
    };

    // A quoted run is passed over in one search: values may be long.
    const char *const begin = list.data();
    const char *const listEnd = begin + list.size();
    const char *pieceStart = begin;
    for (const char *p = begin; p < listEnd; ++p) {
        if (*p == '"') {
            const void *closing = std::memchr(p + 1, '"', size_t(listEnd - p - 1));
            if (!closing)
                break; // quoted to the end: one piece
            p = static_cast<const char *>(closing);
        } else if (*p == ' ') {
            addPiece(QByteArrayView(pieceStart, p));
            pieceStart = p + 1;
        }
    }
    addPiece(QByteArrayView(pieceStart, listEnd));
}

void TakeTag(TXMLItem &item, QByteArrayView tag, TXMLTextPool &pool)
{
    item.SetName(pool.Value(TagName(tag)).Text);
    ReadAttributes(tag, item, pool);
}

void ReadStyleSheet(TECXMLParser &parser, QByteArrayView declaration)
{
    const QByteArray upper = declaration.toByteArray().toUpper();
    if (!upper.contains("XML-STYLESHEET"))
        return;
    const qsizetype href = upper.indexOf("HREF=\"");
    if (href < 0)
        return;
    const qsizetype from = href + 6;
    qsizetype to = declaration.indexOf('"', from);
    if (to < 0)
        to = declaration.size();
    parser.StyleSheet = FromWin1251(declaration.sliced(from, to - from));
}

// Deeper documents are refused: no file of the program nests this deep, and
// a tree of unbounded depth would exhaust the stack of every recursive walk.
constexpr int kMaxDepth = 256;

} // namespace

void ReadXMLDocument(TECXMLParser &parser, QByteArrayView input)
{
    TXMLItem &root = parser.Root();
    root.Clear();
    TXMLItem *current = &root;
    int depth = 0;
    TXMLTokenizer tokenizer(input);
    TXMLTextPool pool;

    for (auto kind = tokenizer.Next(); kind != TXMLTokenizer::tkEnd; kind = tokenizer.Next()) {
        if (!current)
            throw EXMLError(QStringLiteral("Ошибка в XML файле"), tokenizer.Line());
        const QByteArrayView token = tokenizer.Token();
        switch (kind) {
        case TXMLTokenizer::tkDeclaration:
            ReadStyleSheet(parser, token);
            break;
        case TXMLTokenizer::tkComment:
            break;
        case TXMLTokenizer::tkStartTag:
            if (IsBlankText(current->Name())) {
                TakeTag(*current, token, pool);
            } else {
                if (++depth > kMaxDepth)
                    throw EXMLError(QStringLiteral("Слишком глубокая вложенность элементов в XML файле"),
                                    tokenizer.Line());
                current = current->New();
                TakeTag(*current, token, pool);
            }
            break;
        case TXMLTokenizer::tkEndTag:
            current = current->Parent();
            --depth;
            break;
        case TXMLTokenizer::tkEmptyTag:
            TakeTag(*current->New(), token, pool);
            break;
        case TXMLTokenizer::tkText:
            if (IsBlankText(current->Text()))
                current->SetText(DecodeText(token));
            else
                current->SetText(DecodeText(QString(current->Text() + QStringLiteral("\r\n") + FromWin1251(token))));
            break;
        case TXMLTokenizer::tkEnd:
            break;
        }
    }
}
