#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

/// What a code item sends: the make or break code of a standard key, or
/// literal bytes.
enum TCodeType : uint8_t { ctMake = 0, ctBreak = 1, ctByte = 2 };

/// The sequence a code item belongs to, as far as the item needs it: the
/// sequence holds at most 255 bytes in all.
class TScanCodeOwner {
public:
    /// Returns the total number of bytes of all items of the sequence.
    virtual int DataLength() const = 0;

protected:
    ~TScanCodeOwner() = default;
};

/// The greatest number of bytes one code sequence may hold.
inline constexpr int kMaxScanCodesLength = 255;

/// One item of a code sequence. Free-standing items (owner null) serve as the
/// templates the standard code table returns.
class TScanCode {
public:
    explicit TScanCode(TScanCodeOwner *owner = nullptr) : FOwner(owner) {}
    /// A free-standing item with these fields.
    TScanCode(const QByteArray &data, const QString &name, const QByteArray &scanCode, TCodeType codeType)
        : Name(name), ScanCode(scanCode), CodeType(codeType), FData(data), FOwner(nullptr)
    {}

    const QByteArray &Data() const { return FData; }
    /// Stores the bytes; raises "Длина скан-кодов не может превышать 255 байт."
    /// when the owner's total plus the new bytes would exceed 255 (the item's
    /// old bytes still counted).
    void SetData(const QByteArray &data);

    QString Name;
    /// The physical key's scan code from the standard table; empty for bytes.
    QByteArray ScanCode;
    TCodeType CodeType = ctByte;

    TScanCodeOwner *Owner() const { return FOwner; }
    void SetOwner(TScanCodeOwner *owner) { FOwner = owner; }

    /// Copies name, data (through SetData), code type and scan code.
    void Assign(const TScanCode &source);
    /// Returns whether data and code type are the same; names do not count.
    bool Equals(const TScanCode &other) const;
    /// Returns "+" for a make item, "-" for a break item, "" for bytes; raises
    /// "Неверное значение CodeType" for any other type.
    QString Prefix() const;
    /// Returns the item's text, which reads back as the same item: the name
    /// of a byte item; for a make or break item the prefix followed by the
    /// key text of the program's code table (the name, or "$" and the code
    /// bytes when the name stands for another key).
    QString Text() const;

private:
    QByteArray FData;
    TScanCodeOwner *FOwner;
};
