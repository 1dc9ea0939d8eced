#pragma once

#include <QString>
#include <cstdint>

class TKey;
class TKeyGroups;
class TLayers;
class TNotes;
class TScanCodes;
class TXMLItem;
struct TRect;

// Building blocks of the XML layout writers (the current form and the 1.3
// form): value encodings and the elements both forms write alike.
namespace XMLLayoutWrite {

/// Returns "1" for true and "0" for false.
QString FlagText(bool value);
/// Returns the decimal text of value.
QString IntText(int value);
/// Returns the colour as 8 upper-case hexadecimal digits.
QString ColorText(uint32_t value);

/// Appends a child element named name and returns it.
TXMLItem &AddChild(TXMLItem &parent, const QString &name);
/// Adds an attribute to an element just made, whose attribute names are all
/// different: appended without looking for the name; an empty value adds
/// nothing, as SetAttribute does.
void AddValue(TXMLItem &item, const QString &name, QString value);
/// Appends "Ноты" with one "Нота" per note; nothing for an empty melody.
void AddNotes(TXMLItem &parent, const TNotes &notes);
/// Appends "Группы" with one "Группа" per key group; nothing without groups.
void AddGroups(TXMLItem &parent, const TKeyGroups &groups);
/// Sets the selection attributes "STop", "SLeft", "SRight", "SBottom".
void SetSelection(TXMLItem &params, const TRect &selection);

/// What a form of the file writes its own way.
struct TXMLLayoutForm {
    /// Appends a code sequence as the child name, or nothing.
    void (*AddCodes)(TXMLItem &parent, const QString &name, const TScanCodes &codes);
    /// Appends a key, position being its place in the layer's list from 1.
    void (*AddKey)(TXMLItem &parent, const TKey &key, int position);
    /// Whether the card reader's light indication is written.
    bool LightIndication;
};

/// Appends "Слои" with each layer's keys, card reader and key lock; nothing
/// for a layout without layers.
void AddLayers(TXMLItem &parent, const TLayers &layers, const TXMLLayoutForm &form);

} // namespace XMLLayoutWrite
