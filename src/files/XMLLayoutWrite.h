#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

class TKey;
class TKeyGroups;
class TLayers;
class TLayout;
class TNotes;
class TScanCodes;
class TXMLStreamWriter;
struct TRect;

// Building blocks of the XML layout writers (the current form and the 1.3
// form): value encodings and the elements both forms write alike, written
// straight into the document's bytes.
namespace XMLLayoutWrite {

/// Returns 1 for true and 0 for false, as the files store flags.
inline int Flag(bool value) { return value ? 1 : 0; }
/// Returns the colour as 8 upper-case hexadecimal digits.
QString ColorText(uint32_t value);
/// Begins "Клавиша" with the number given, the cell, remark, repeat and
/// type of key; the caller writes the key's elements and ends it.
void BeginKey(TXMLStreamWriter &out, const TKey &key, int number);
/// Writes "Ноты" with one "Нота" per note; nothing for an empty melody.
void AddNotes(TXMLStreamWriter &out, const TNotes &notes);

/// What a form of the file writes its own way.
struct TXMLLayoutForm {
    /// Writes the attributes of the root element, or nothing (null).
    void (*AddLayoutAttributes)(TXMLStreamWriter &out, const TLayout &layout);
    /// Writes the keyboard model's attribute of "Параметры".
    void (*AddModel)(TXMLStreamWriter &out, const TLayout &layout);
    /// Writes a code sequence as an element called name, or nothing.
    void (*AddCodes)(TXMLStreamWriter &out, const QString &name, const TScanCodes &codes);
    /// Writes a key, position being its place in the layer's list from 1.
    void (*AddKey)(TXMLStreamWriter &out, const TKey &key, int position);
    /// Whether the card reader's light indication is written.
    bool LightIndication;
};

/// Returns the whole document of layout in form: the root, "Параметры"
/// with the model and the selection, the layers and the key groups.
QByteArray WriteLayout(const TLayout &layout, const TXMLLayoutForm &form);

} // namespace XMLLayoutWrite
