#include "xml/ECXMLParser.h"
#include "xml/XMLDocumentIO.h"
#include "xml/XMLEntities.h"
#include "xml/XMLTextPool.h"
#include "xml/XMLTokenizer.h"

#include "base/Win1251.h"

#include <QCoreApplication>
#include <QVarLengthArray>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace {

// The element name: up to the first space; without a space up to the first
// "/"; without either all but the closing ">".
QByteArrayView TagName(QByteArrayView tag, qsizetype space)
{
    qsizetype end = space;
    if (end < 0)
        end = tag.indexOf('/');
    if (end < 0)
        end = tag.size() - 1;
    return end <= 1 ? QByteArrayView() : tag.sliced(1, end - 1);
}

} // namespace

// What the reader does to items and to the parser that holds their bytes.
struct TXMLItemBuilder {
    using TStoredAttribute = TXMLItem::TStoredAttribute;
    // The bytes of a value, in the document.
    struct TRawValue {
        const char *Data;
        qsizetype Size;
    };

    // The bytes of a token, where they stay until the next load: the
    // document's own, or a copy of a token the tokenizer normalised.
    static QByteArrayView Kept(TECXMLParser &parser, QByteArrayView token)
    {
        const char *const source = parser.FSource.constData();
        if (token.data() >= source && token.data() + token.size() <= source + parser.FSource.size())
            return token;
        auto *copy = static_cast<char *>(parser.FArena.Allocate(size_t(token.size()), 1));
        std::memcpy(copy, token.data(), size_t(token.size()));
        return {copy, token.size()};
    }

    // The attribute names each element name had the last time, as pool
    // indexes in their order: elements of one name mostly repeat them, and
    // comparing a few bytes is cheaper than looking a name up.
    static int NameOf(TXMLTextPool &pool, std::vector<int> &memo, qsizetype at, QByteArrayView name)
    {
        if (size_t(at) < memo.size()) {
            const QByteArray &bytes = pool.At(memo[size_t(at)]).Bytes;
            if (bytes.size() == name.size() && SameBytes(bytes.constData(), name.data(), name.size()))
                return memo[size_t(at)];
        }
        const int index = pool.NameIndex(name);
        if (size_t(at) < memo.size())
            memo[size_t(at)] = index;
        else if (size_t(at) == memo.size())
            memo.push_back(index);
        return index;
    }

    // Attributes: the text between the first space and the closing ">" (a
    // "/" right before it left out), cut at every space outside double
    // quotes. Values stay bytes until asked for.
    static void ReadAttributes(TECXMLParser &parser, QByteArrayView tag, qsizetype space, TXMLItem &item,
                               TXMLTextPool &pool, std::vector<int> &memo)
    {
        if (space < 0)
            return;
        qsizetype end = tag.size() - 1; // the closing '>'
        if (end > space && tag[end - 1] == '/')
            --end;
        if (end <= space)
            return;
        const QByteArrayView list = tag.sliced(space + 1, end - space - 1);

        // The name classes taken so far, one per attribute: a name of a new
        // class is appended, one of a class already there gives the first
        // of them its value. An item that has attributes already (a second
        // tag read into the same item) looks every name up, with values
        // decoded at once.
        const bool fresh = item.FAttributes.empty();
        QVarLengthArray<int, 16> classes;
        QVarLengthArray<int, 16> names;
        QVarLengthArray<TRawValue, 16> raw;
        qsizetype pieces = 0;
        // eq: the offset of the piece's first "=", -1 for none.
        auto addPiece = [&](QByteArrayView piece, qsizetype eq) {
            if (eq < 0)
                return; // a name without a value stores nothing
            QByteArrayView value = piece.sliced(eq + 1);
            if (value.size() > 2) {
                if (value.startsWith('"'))
                    value = value.sliced(1);
                if (value.endsWith('"'))
                    value.chop(1);
            }
            // A value decodes to an empty text only from no bytes at all.
            if (value.isEmpty())
                return;
            const int name = NameOf(pool, memo, pieces++, piece.first(eq));
            if (!fresh) {
                item.SetAttribute(pool.At(name).Text, DecodeAttributeValue(value));
                return;
            }
            const int nameClass = pool.At(name).NameClass;
            const qsizetype index = classes.indexOf(nameClass);
            if (index >= 0) {
                raw[index] = {value.data(), value.size()};
                return;
            }
            classes.append(nameClass);
            names.append(name);
            raw.append({value.data(), value.size()});
        };

        // A quoted run is passed over in one search: values may be long.
        const char *const begin = list.data();
        const char *const listEnd = begin + list.size();
        const char *pieceStart = begin;
        // The first "=" of the piece, when it stands before any quote; a
        // quote before it may hide one, which the piece's search then finds.
        const char *eq = nullptr;
        bool quoteFirst = false;
        const auto offsetOfEq = [&](const char *start, const char *pieceEnd) -> qsizetype {
            if (eq && !quoteFirst)
                return eq - start;
            const void *found = std::memchr(start, '=', size_t(pieceEnd - start));
            return found ? static_cast<const char *>(found) - start : -1;
        };
        for (const char *p = begin; p < listEnd; ++p) {
            if (*p == '"') {
                quoteFirst = quoteFirst || !eq;
                const void *closing = std::memchr(p + 1, '"', size_t(listEnd - p - 1));
                if (!closing)
                    break; // quoted to the end: one piece
                p = static_cast<const char *>(closing);
            } else if (*p == ' ') {
                addPiece(QByteArrayView(pieceStart, p), offsetOfEq(pieceStart, p));
                pieceStart = p + 1;
                eq = nullptr;
                quoteFirst = false;
            } else if (*p == '=' && !eq) {
                eq = p;
            }
        }
        addPiece(QByteArrayView(pieceStart, listEnd), offsetOfEq(pieceStart, listEnd));
        if (!fresh || names.isEmpty())
            return;
        item.FAttributes.reserve(size_t(names.size()), &parser.FArena);
        for (qsizetype i = 0; i < names.size(); ++i) {
            TStoredAttribute &attribute = item.FAttributes.emplace_back(&parser.FArena, TStoredAttribute{});
            item.StoreName(attribute, pool.At(names[i]).Text);
            if (raw[i].Size <= std::numeric_limits<int32_t>::max()) {
                attribute.Raw = raw[i].Data;
                attribute.RawSizeOrText = int32_t(raw[i].Size);
            } else {
                attribute.RawSizeOrText = item.KeepText(DecodeAttributeValue(QByteArrayView(raw[i].Data, raw[i].Size)));
            }
        }
    }

    static void TakeTag(TECXMLParser &parser, TXMLItem &item, QByteArrayView tag, TXMLTextPool &pool,
                        std::vector<std::vector<int>> &memos, int &lastName)
    {
        const qsizetype space = tag.indexOf(' ');
        // Siblings mostly share their name: the last one is compared first.
        const QByteArrayView tagName = TagName(tag, space);
        if (lastName < 0 || pool.At(lastName).Bytes.size() != tagName.size()
            || !SameBytes(pool.At(lastName).Bytes.constData(), tagName.data(), tagName.size()))
            lastName = pool.ValueIndex(tagName);
        const int name = lastName;
        item.SetName(pool.At(name).Text);
        if (size_t(name) >= memos.size())
            memos.resize(size_t(name) + 1);
        ReadAttributes(parser, Kept(parser, tag), space, item, pool, memos[size_t(name)]);
    }

    // Keeps the input for the values, shared; bytes the array does not own
    // (QByteArray::fromRawData) are copied. Returns the kept bytes.
    static const QByteArray &Start(TECXMLParser &parser, const QByteArray &input)
    {
        parser.ReleaseBytes();
        if (input.isEmpty() || input.capacity() > 0) // raw data has no capacity
            parser.FSource = input;
        else
            parser.FSource = QByteArray(input.constData(), input.size());
        return parser.FSource;
    }
};

namespace {

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

void ReadXMLDocument(TECXMLParser &parser, const QByteArray &input)
{
    TXMLItem &root = parser.Root();
    root.Clear();
    TXMLItem *current = &root;
    int depth = 0;
    TXMLTokenizer tokenizer(TXMLItemBuilder::Start(parser, input));
    TXMLTextPool pool;
    std::vector<std::vector<int>> memos;
    int lastName = -1;

    for (auto kind = tokenizer.Next(); kind != TXMLTokenizer::tkEnd; kind = tokenizer.Next()) {
        if (!current)
            throw EXMLError(QCoreApplication::translate("TECXMLParser", "Ошибка в XML файле"),
                            tokenizer.Line());
        const QByteArrayView token = tokenizer.Token();
        switch (kind) {
        case TXMLTokenizer::tkDeclaration:
            ReadStyleSheet(parser, token);
            break;
        case TXMLTokenizer::tkComment:
            break;
        case TXMLTokenizer::tkStartTag:
            if (IsBlankText(current->Name())) {
                TXMLItemBuilder::TakeTag(parser, *current, token, pool, memos, lastName);
            } else {
                if (++depth > kMaxDepth)
                    throw EXMLError(QCoreApplication::translate(
                                        "TECXMLParser", "Слишком глубокая вложенность элементов в XML файле"),
                                    tokenizer.Line());
                current = current->New();
                TXMLItemBuilder::TakeTag(parser, *current, token, pool, memos, lastName);
            }
            break;
        case TXMLTokenizer::tkEndTag:
            current = current->Parent();
            --depth;
            break;
        case TXMLTokenizer::tkEmptyTag:
            TXMLItemBuilder::TakeTag(parser, *current->New(), token, pool, memos, lastName);
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
