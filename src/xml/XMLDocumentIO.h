#pragma once

#include <QByteArray>
#include <QByteArrayView>

class TECXMLParser;

/// Replaces the parser's tree by the document read from input, which the
/// parser keeps (shared) for the values not yet decoded; raises
/// EXMLError on a syntax error, keeping what was read so far.
void ReadXMLDocument(TECXMLParser &parser, const QByteArray &input);

/// Returns the document's bytes: the declaration, the style-sheet line unless
/// the output is itself a style sheet, and the tree.
QByteArray WriteXMLDocument(const TECXMLParser &parser, bool isStyleSheetFile);
