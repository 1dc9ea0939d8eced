#pragma once

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

/// Returns the room to make for the document of a layout: about a kilobyte
/// per key, which holds a key with codes, a melody and a small picture.
qsizetype DocumentCapacity(const TLayout &layout);
/// Returns 1 for true and 0 for false, as the files store flags.
inline int Flag(bool value) { return value ? 1 : 0; }
/// Returns the colour as 8 upper-case hexadecimal digits.
QString ColorText(uint32_t value);
/// Begins "Клавиша" with the number given, the cell, remark, repeat and
/// type of key; the caller writes the key's elements and ends it.
void BeginKey(TXMLStreamWriter &out, const TKey &key, int number);
/// Writes "Ноты" with one "Нота" per note; nothing for an empty melody.
void AddNotes(TXMLStreamWriter &out, const TNotes &notes);
/// Writes "Группы" with one "Группа" per key group; nothing without groups.
void AddGroups(TXMLStreamWriter &out, const TKeyGroups &groups);
/// Writes the selection attributes "STop", "SLeft", "SRight", "SBottom".
void SetSelection(TXMLStreamWriter &out, const TRect &selection);

/// What a form of the file writes its own way.
struct TXMLLayoutForm {
    /// Writes a code sequence as an element called name, or nothing.
    void (*AddCodes)(TXMLStreamWriter &out, const QString &name, const TScanCodes &codes);
    /// Writes a key, position being its place in the layer's list from 1.
    void (*AddKey)(TXMLStreamWriter &out, const TKey &key, int position);
    /// Whether the card reader's light indication is written.
    bool LightIndication;
};

/// Writes "Слои" with each layer's keys, card reader and key lock; nothing
/// for a layout without layers.
void AddLayers(TXMLStreamWriter &out, const TLayers &layers, const TXMLLayoutForm &form);

} // namespace XMLLayoutWrite
