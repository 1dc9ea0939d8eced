#pragma once

#include "codes/ScanCode.h"

#include <QString>
#include <QStringView>
#include <optional>

class TCodeTable;

// The part of a make or break item's text that follows its "+" or "-". It is
// the key's name, unless the name leads to another key: two keys may share a
// name (the table has two "'"), and a name leads to the first of them. Such a
// key is written as "$" and the hexadecimal bytes of its code ("+$52",
// "-$F052"), which lead back to exactly that code.

/// Returns the make (isBreak false) or break item that a key text stands for:
/// for "$" and hexadecimal bytes, the item of the first key with exactly that
/// code; otherwise the item of the first key of that name, letter case
/// ignored. None when the table has no such key.
std::optional<TScanCode> FindByKeyText(const TCodeTable &table, QStringView text, bool isBreak);

/// Returns the key text of a make or break item: its name when the name reads
/// back as the same code and key, else its code as "$" and hexadecimal bytes
/// when those do, else the name.
QString KeyText(const TCodeTable &table, const TScanCode &item);

/// The same, worked out from the table's lookups instead of the texts the
/// table keeps for its own items.
QString ComputedKeyText(const TCodeTable &table, const TScanCode &item);
