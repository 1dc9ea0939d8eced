#pragma once

#include <QString>
#include <memory>
#include <vector>

class TKeyboardParams;

/// One descriptive parameter of a keyboard model: text for the user only.
class TKeyboardParam {
public:
    explicit TKeyboardParam(TKeyboardParams *owner = nullptr) : FOwner(owner) {}
    TKeyboardParam(const TKeyboardParam &) = delete;
    TKeyboardParam &operator=(const TKeyboardParam &) = delete;

    /// Returns the list the parameter belongs to, null for a free-standing one.
    TKeyboardParams *Owner() const { return FOwner; }

    QString Name;
    QString Value;

    /// Copies name and value.
    void Assign(const TKeyboardParam &source);

private:
    TKeyboardParams *FOwner;
};

/// The parameters of one parameter group, in file order.
class TKeyboardParams {
public:
    TKeyboardParams() = default;
    TKeyboardParams(const TKeyboardParams &) = delete;
    TKeyboardParams &operator=(const TKeyboardParams &) = delete;

    int Count() const { return int(FItems.size()); }
    TKeyboardParam &Item(int index) const { return *FItems[size_t(index)]; }

    /// Appends a new empty parameter and returns it.
    TKeyboardParam &Add();
    /// Appends a parameter with the given name and value.
    TKeyboardParam &Add(const QString &name, const QString &value);
    /// Frees all parameters.
    void Clear();
    /// Makes this list a copy of source.
    void Assign(const TKeyboardParams &source);

private:
    std::vector<std::unique_ptr<TKeyboardParam>> FItems;
};
