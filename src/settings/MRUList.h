#pragma once

#include <QString>
#include <vector>

/// One recently used layout file: its full path and the position, counted
/// from 0, of its format in the list of formats that can be opened.
struct TMRUEntry {
    QString FileName;
    int FormatIndex = 0;

    bool operator==(const TMRUEntry &other) const = default;
};

/// The recently used files, most recent first.
class TMRUList {
public:
    int Count() const { return int(FItems.size()); }
    bool IsEmpty() const { return FItems.empty(); }
    /// Returns the entry at index (0 <= index < Count).
    const TMRUEntry &Item(int index) const { return FItems.at(size_t(index)); }
    const std::vector<TMRUEntry> &Items() const { return FItems; }

    /// Appends an entry at the end of the list.
    void Add(const TMRUEntry &entry) { FItems.push_back(entry); }
    /// Inserts an entry before index, which is kept within 0 to Count.
    void Insert(int index, const TMRUEntry &entry);
    /// Removes the entry at index; an index out of range removes nothing.
    void Delete(int index);
    void Clear() { FItems.clear(); }

    bool operator==(const TMRUList &other) const = default;

private:
    std::vector<TMRUEntry> FItems;
};
