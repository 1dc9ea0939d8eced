#pragma once

#include <QByteArray>
#include <QByteArrayView>

class QIODevice;
class TECXMLParser;

/// The first line of every document written.
inline constexpr QByteArrayView kXMLDeclaration = "<?xml version=\"1.0\" encoding=\"ISO8859-1\" ?>\r\n";

/// Replaces the parser's tree by the document read from input, which the
/// parser keeps (shared) for the values not yet decoded; raises
/// EXMLError on a syntax error, keeping what was read so far.
void ReadXMLDocument(TECXMLParser &parser, const QByteArray &input);

/// Returns the document's bytes: the declaration, the style-sheet line unless
/// the output is itself a style sheet, and the tree.
QByteArray WriteXMLDocument(const TECXMLParser &parser, bool isStyleSheetFile);

/// Writes a document's bytes to stream; raises EError "Ошибка записи: ..."
/// when the stream takes less than all of them.
void WriteDocument(QIODevice &stream, const QByteArray &bytes);
