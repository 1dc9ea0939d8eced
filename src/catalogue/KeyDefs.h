#pragma once

#include <memory>
#include <vector>

class TKeyDefs;

/// One key cell of a keyboard model: where a key sits in the matrix and its
/// logical number. Columns and rows count from 1.
class TKeyDef {
public:
    explicit TKeyDef(TKeyDefs *owner = nullptr) : FOwner(owner) {}
    TKeyDef(const TKeyDef &) = delete;
    TKeyDef &operator=(const TKeyDef &) = delete;

    /// Returns the list the cell belongs to, null for a free-standing one.
    TKeyDefs *Owner() const { return FOwner; }

    int Left = 0;
    int Top = 0;
    int LogicalNumber = 0;

    /// Copies the cell and the logical number.
    void Assign(const TKeyDef &source);

private:
    TKeyDefs *FOwner;
};

/// The key cells of a keyboard model in file order; this order becomes the
/// order of the keys of every layer shaped after the model.
class TKeyDefs {
public:
    TKeyDefs() = default;
    TKeyDefs(const TKeyDefs &) = delete;
    TKeyDefs &operator=(const TKeyDefs &) = delete;

    int Count() const { return int(FItems.size()); }
    TKeyDef &Item(int index) const { return *FItems[size_t(index)]; }

    /// Appends a new cell at (0, 0) with logical number 0 and returns it.
    TKeyDef &Add();
    /// Appends a cell with the given column, row and logical number.
    TKeyDef &Add(int left, int top, int logicalNumber);
    /// Frees all cells.
    void Clear();
    /// Makes this list a copy of source.
    void Assign(const TKeyDefs &source);

private:
    std::vector<std::unique_ptr<TKeyDef>> FItems;
};
