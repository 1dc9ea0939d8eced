#pragma once

#include "codes/ScanCode.h"
#include "model/Notifier.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <vector>

/// Raises "Длина скан-кодов не может превышать 255 байт.": a sequence
/// would hold more than kMaxScanCodesLength bytes.
[[noreturn]] void RaiseScanCodesTooLong();

/// A code sequence: make, break and byte items, at most 255 bytes in all.
/// Its text form is what the user types and the layout file stores, e.g.
/// "+LShift +A -A -LShift E0"; a key whose name leads to another key is
/// written by its code bytes, e.g. "+$52" (see codes/KeyText.h).
class TScanCodes : public TNotifyObject, public TScanCodeOwner {
public:
    explicit TScanCodes(TNotifier *notifier = nullptr);
    ~TScanCodes() override;

    int Count() const { return int(FItems.size()); }
    const TScanCode &Item(int index) const { return FItems[size_t(index)]; }
    TScanCode &Item(int index) { return FItems[size_t(index)]; }

    /// Appends a new empty byte item and marks the sequence changed; raises
    /// "Длина скан-кодов не может превышать 255 байт." when 255 bytes are held.
    /// The item returned (like any from Item) is valid until the next one is
    /// added: the items lie side by side.
    TScanCode &Add();
    /// Takes an item out and frees it; marks changed.
    void Remove(TScanCode *item);
    /// Frees all items.
    void Clear();
    /// Makes this sequence a copy of source; nothing at all when they are
    /// already equal.
    void Assign(const TScanCodes &source);
    /// Returns whether both have the same count and equal items.
    bool Equals(const TScanCodes &other) const;
    bool IsEmpty() const { return FItems.empty(); }

    /// Returns the bytes of all items in order.
    QByteArray Data() const;
    int DataLength() const override;

    /// Returns the item texts joined by one space.
    QString Text() const;
    /// Replaces the items by the parsed tokens of text; tokens that do not
    /// parse are dropped without a message.
    void SetText(QStringView text);
    /// Appends the item a token stands for; returns false (sequence as it
    /// was) when the token does not parse or its bytes do not fit.
    bool ParseToken(QStringView token);

    /// Appends one byte item holding all the bytes, named by their hex text.
    TScanCode &AddBytes(const QByteArray &bytes);
    /// Appends the items of a 16-bit code: its high byte when above 255, then
    /// its low byte when not 0, split like AddDecoded.
    void AddCode16(uint16_t code);
    /// Splits bytes into make, break and byte items, shortest table code first.
    void AddDecoded(QByteArrayView bytes);

    /// Returns the first item with this scan code, or null.
    const TScanCode *FindByScanCode(const QByteArray &scanCode) const;
    TScanCode *FindByScanCode(const QByteArray &scanCode);

    /// Checks the pairing of presses and releases; on failure stores the
    /// message in ErrorText and returns false.
    bool Validate() const;
    /// The same check without touching ErrorText.
    bool IsValid() const;
    const QString &ErrorText() const { return FErrorText; }

    /// Returns the compact form the key grid shows ("LCtrl+A"), or Text when
    /// the sequence has no such form.
    QString ShortText() const;

private:
    /// Makes room for the first items.
    void Reserve();
    /// Appends a copy of item, whose bytes the caller has checked to fit.
    TScanCode &Append(const TScanCode &item);
    /// Appends a free-standing item, whose bytes the caller has checked to fit.
    TScanCode &Append(TScanCode &&item);

    std::vector<TScanCode> FItems;
    // The message of the latest check; a check is a reading of the object.
    mutable QString FErrorText;
};
