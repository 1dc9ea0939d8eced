#pragma once

#include "xml/XMLList.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <memory>

class TECXMLParser;

/// One element of an XML document: a name, a text, an ordered list of
/// attributes and an ordered list of owned child elements. The attribute
/// values of a document read from bytes stay those bytes (held by the
/// parser) and are decoded each time a value is asked for, so that reading
/// a document decodes only what its reader uses and keeps no text for it.
/// The lists of an element that belongs to a document lie in the
/// document's arena.
class TXMLItem {
public:
    explicit TXMLItem(TECXMLParser *owner = nullptr);
    ~TXMLItem();
    // Documents are built and freed thousands of items at a time: freed
    // items are kept per thread for the next ones.
    static void *operator new(size_t size);
    static void operator delete(void *item, size_t size);
    TXMLItem(const TXMLItem &) = delete;
    TXMLItem &operator=(const TXMLItem &) = delete;

    const QString &Name() const { return FName; }
    /// Stores the name and notifies a change.
    void SetName(const QString &name);
    const QString &Text() const { return FText; }
    /// Stores the text (already entity-decoded) and notifies a change.
    void SetText(const QString &text);

    /// The attributes in document order: their number, and the name and
    /// value of each.
    int AttributeCount() const { return int(FAttributes.size()); }
    QString AttributeName(int index) const;
    QString AttributeValue(int index) const;
    /// Returns the value's bytes in the document it was read from (entities
    /// as they stand there), or a null view for a value set since.
    QByteArrayView RawAttributeValue(int index) const;
    /// Returns whether an attribute of this name (letter case ignored) exists.
    bool HasAttribute(QStringView name) const;
    /// Returns the value of the first attribute of this name (letter case
    /// ignored), empty when there is none.
    QString Attribute(QStringView name) const;
    /// Returns the value as a decimal integer; an absent attribute converts
    /// as empty text, so a required attribute that is missing raises
    /// EConvertError like a non-numeric one.
    int IntAttribute(QStringView name) const;
    /// Returns the value as a decimal integer, or fallback when the attribute
    /// is absent; a present, non-numeric value raises EConvertError.
    int IntAttribute(QStringView name, int fallback) const;
    /// Sets an attribute: an empty value removes it, an absent name is
    /// appended at the end, otherwise the first match takes the value.
    void SetAttribute(const QString &name, const QString &value);

    int Count() const { return int(FItems.size()); }
    TXMLItem *Item(int index) const { return FItems[size_t(index)].get(); }
    TXMLItem *Parent() const { return FParent; }
    /// Moves this item to the end of another parent's children (or out of any
    /// tree and of its document when parent is null); the item then belongs
    /// to the new parent.
    void SetParent(TXMLItem *parent);
    TECXMLParser *Owner() const { return FOwner; }
    /// Gives this item and all its descendants to a parser.
    void SetOwner(TECXMLParser *owner);

    /// Governs line breaks and indentation when written; on by default.
    bool CrLfInAsString() const { return FCrLfInAsString; }
    void SetCrLfInAsString(bool on) { FCrLfInAsString = on; }

    /// Deletes all children, the attributes, the name and the text, without
    /// change notifications.
    void Clear();
    /// Appends a new child with this item's owner, notifies, returns it.
    TXMLItem *New();
    /// Destroys the child at index; notifies.
    void Delete(int index);
    /// Moves a child to a new index among the children.
    void Move(TXMLItem *child, int newIndex);
    /// Returns the index of a child, -1 if it is not one.
    int IndexOf(const TXMLItem *child) const;
    /// Returns the index of the first child at or after start whose name
    /// equals name with letter case ignored, -1 if none.
    int IndexOfName(QStringView name, int start = 0) const;
    /// Returns the first child whose name equals name exactly, or null.
    TXMLItem *FindChild(QStringView name) const;

private:
    friend struct TXMLItemBuilder;

    /// One attribute. Its name's characters live as long as the item: a
    /// text kept for good (the names of a document read, literals) or one
    /// of FTexts. Its value is the document's bytes (Windows-1251 with
    /// entities) while Raw is set, else FTexts[Text].
    struct TStoredAttribute {
        const QChar *Name;
        const char *Raw;
        int32_t NameSize;
        int32_t RawSizeOrText;
        QStringView NameView() const { return {Name, NameSize}; }
    };

    static constexpr size_t kNone = size_t(-1);

    void Changed();
    /// The arena of the owning document, null for an item of none.
    TXMLArena *Arena() const;
    /// Returns the index of the first attribute of this name (letter case
    /// ignored), kNone when there is none.
    size_t FindAttribute(QStringView name) const;
    std::unique_ptr<TXMLItem> Detach(TXMLItem *child);
    /// Returns the value at index, decoded if it is still bytes.
    QString Value(size_t index) const;
    /// Returns the value at index as a decimal integer, as StrToInt does.
    int IntValue(size_t index) const;
    /// Keeps a text with the item; returns its index in FTexts.
    int32_t KeepText(const QString &text);
    /// Sets the name of the attribute at index, kept with the item unless
    /// its characters live for good already.
    void StoreName(TStoredAttribute &attribute, const QString &name);
    /// Decodes every value still held as bytes into a text of its own.
    void DecodeAll();

    QString FName;
    QString FText;
    TXMLList<TStoredAttribute> FAttributes;
    // The names and values of attributes that are not the document's own:
    // set by a caller, or decoded when the item left its document.
    TXMLList<QString> FTexts;
    TXMLList<std::unique_ptr<TXMLItem>> FItems;
    TXMLItem *FParent = nullptr;
    TECXMLParser *FOwner = nullptr;
    bool FCrLfInAsString = true;
    bool FNotify = true;
};
