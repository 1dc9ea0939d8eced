#pragma once

#include "base/Error.h"
#include "xml/XMLArena.h"
#include "xml/XMLItem.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>
#include <memory>

class QIODevice;

/// A syntax error of an XML document; the message names the line.
class EXMLError : public EError {
public:
    EXMLError(const QString &message, int line);
    int Line() const { return FLine; }

private:
    int FLine;
};

/// An XML document: the element tree rooted at Root, read from and written
/// to Windows-1251 bytes. Reading is lenient in the program's own way (see
/// XMLReader.cpp); a document the writer produced reads back to the same tree.
class TECXMLParser {
public:
    using TAllowEvent = std::function<void(TECXMLParser &, bool &allow)>;
    using TEvent = std::function<void(TECXMLParser &)>;
    using TItemEvent = std::function<void(TECXMLParser &, TXMLItem &)>;

    TECXMLParser();
    ~TECXMLParser();
    TECXMLParser(const TECXMLParser &) = delete;
    TECXMLParser &operator=(const TECXMLParser &) = delete;

    /// The document element.
    TXMLItem &Root() const { return *FRoot; }

    /// The href of the document's xml-stylesheet instruction.
    QString StyleSheet;
    bool CrLfInAsString() const { return FRoot->CrLfInAsString(); }
    void SetCrLfInAsString(bool on) { FRoot->SetCrLfInAsString(on); }

    TAllowEvent BeforeClear, BeforeLoad, BeforeSave;
    TEvent OnCleared, OnLoaded, OnSaved;
    TItemEvent XMLItemChanged;

    void Clear();

    /// Reads the document from a file; raises EError when the file cannot be
    /// read, is not a regular file or is larger than
    /// FileLimits::kLayoutFile, and EXMLError on a syntax error.
    void LoadFromFile(const QString &path);
    /// Reads the rest of a stream.
    void LoadFromStream(QIODevice &stream);
    /// Reads the document from bytes in memory.
    void LoadFromBytes(QByteArrayView bytes);
    /// The same, sharing the bytes instead of copying them: attribute values
    /// stay bytes until asked for, and the parser keeps what they lie in.
    void LoadFromBytes(const QByteArray &bytes);
    /// The same for a string literal.
    template <size_t N> void LoadFromBytes(const char (&bytes)[N]) { LoadFromBytes(QByteArrayView(bytes)); }

    /// Writes the document to a file, replacing it atomically (see
    /// WriteFileAtomically); a file named ".xsl" is written as a style sheet
    /// (no stylesheet instruction).
    void SaveToFile(const QString &path);
    void SaveToStream(QIODevice &stream, bool isStyleSheetFile = false);
    /// Returns the document's bytes.
    QByteArray SaveToBytes(bool isStyleSheetFile = false);

private:
    friend class TXMLItem;
    friend struct TXMLItemBuilder;
    void ItemChanged(TXMLItem &item);
    void Load(const QByteArray &bytes);
    /// Forgets the bytes the tree's values lay in and the arena; the tree
    /// is empty then.
    void ReleaseBytes();

    // The tree's lists, the records of the values not yet decoded and the
    // tokens that had to be normalised; declared first, it goes last.
    TXMLArena FArena;
    std::unique_ptr<TXMLItem> FRoot;
    // The bytes of the document read last.
    QByteArray FSource;
};
