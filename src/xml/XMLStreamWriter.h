#pragma once

#include "xml/ByteSink.h"

#include <QByteArray>
#include <QStringView>
#include <vector>

/// Writes a document element by element straight into its bytes, in the
/// same form as a tree written by the parser (declaration, two spaces of
/// indentation per level from the root's two, CR LF line ends, empty
/// elements closed by "/>"), without building the tree first.
///
/// Usage: Begin an element, give its attributes, then its text or its
/// children (each Begin ... End), then End it; Take the bytes once the root
/// has ended. An attribute after the element's first child or text is a
/// caller's error. Names must stay valid until their element ends.
class TXMLStreamWriter {
public:
    /// capacity: the bytes to make room for at once; a good guess saves
    /// copying the document as it grows.
    explicit TXMLStreamWriter(qsizetype capacity = 64 * 1024);

    void Begin(QStringView name);
    /// Writes name="value"; nothing for an empty value, as an element of the
    /// tree keeps no empty attribute.
    void Attribute(QStringView name, QStringView value);
    void Attribute(QStringView name, int value);
    /// Writes the element's text on a line of its own; nothing for a blank
    /// text.
    void Text(QStringView text);
    void End();

    /// Returns the document's bytes.
    QByteArray Take() { return FOut.Take(); }

private:
    /// Closes the start tag of the innermost element before its first
    /// content.
    void StartContent();
    int Indent() const { return 2 * int(FOpen.size()); }

    struct TOpenElement {
        QStringView Name;
        bool HasContent = false;
    };

    TByteSink FOut;
    std::vector<TOpenElement> FOpen;
};
