#include "xml/ECXMLParser.h"

#include "base/SafeFile.h"
#include "xml/XMLDocumentIO.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>

EXMLError::EXMLError(const QString &message, int line)
    : EError(QCoreApplication::translate("TECXMLParser", "%1 (строка %2)").arg(message).arg(line)),
      FLine(line)
{
}

TECXMLParser::TECXMLParser() : FRoot(std::make_unique<TXMLItem>(this)) {}

TECXMLParser::~TECXMLParser()
{
    // The tree first: its values may point into the bytes.
    FRoot.reset();
}

void TECXMLParser::ReleaseBytes()
{
    FSource.clear();
    FArena.Reset();
}

void TECXMLParser::ItemChanged(TXMLItem &item)
{
    if (XMLItemChanged)
        XMLItemChanged(*this, item);
}

void TECXMLParser::Clear()
{
    bool allow = true;
    if (BeforeClear)
        BeforeClear(*this, allow);
    if (!allow)
        return;
    FRoot->Clear();
    ReleaseBytes();
    if (OnCleared)
        OnCleared(*this);
}

void TECXMLParser::LoadFromBytes(QByteArrayView bytes)
{
    Load(bytes.toByteArray());
}

void TECXMLParser::LoadFromBytes(const QByteArray &bytes)
{
    Load(bytes);
}

void TECXMLParser::Load(const QByteArray &bytes)
{
    bool allow = true;
    if (BeforeLoad)
        BeforeLoad(*this, allow);
    if (!allow)
        return;
    // No change events while the tree is being built; the handler comes back
    // also when the document is faulty.
    struct TDetachedHandler {
        TItemEvent &Slot;
        TItemEvent Saved;
        explicit TDetachedHandler(TItemEvent &slot) : Slot(slot), Saved(std::move(slot)) { Slot = nullptr; }
        ~TDetachedHandler() { Slot = std::move(Saved); }
    } detached(XMLItemChanged);
    ReadXMLDocument(*this, bytes);
    if (OnLoaded)
        OnLoaded(*this);
}

void TECXMLParser::LoadFromStream(QIODevice &stream)
{
    // Bytes already in memory are read where they lie, not copied first.
    if (auto *buffer = qobject_cast<QBuffer *>(&stream); buffer && buffer->isReadable()) {
        const qsizetype from = buffer->pos();
        buffer->seek(buffer->size());
        if (from == 0)
            LoadFromBytes(buffer->data());
        else
            LoadFromBytes(QByteArrayView(buffer->data()).sliced(from));
        return;
    }
    LoadFromBytes(stream.readAll());
}

void TECXMLParser::LoadFromFile(const QString &path)
{
    LoadFromBytes(ReadFileBounded(path, FileLimits::kLayoutFile));
}

QByteArray TECXMLParser::SaveToBytes(bool isStyleSheetFile)
{
    bool allow = true;
    if (BeforeSave)
        BeforeSave(*this, allow);
    if (!allow)
        return {};
    QByteArray bytes = WriteXMLDocument(*this, isStyleSheetFile);
    if (OnSaved)
        OnSaved(*this);
    return bytes;
}

void TECXMLParser::SaveToStream(QIODevice &stream, bool isStyleSheetFile)
{
    WriteDocument(stream, SaveToBytes(isStyleSheetFile));
}

void TECXMLParser::SaveToFile(const QString &path)
{
    const bool isStyleSheet = QFileInfo(path).suffix().toUpper() == u"XSL";
    WriteFileAtomically(path, SaveToBytes(isStyleSheet));
}
