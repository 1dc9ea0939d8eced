#pragma once

#include "base/Win1251.h"
#include "xml/XMLEntities.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>
#include <algorithm>
#include <cstring>

// The document's bytes, written into one buffer that grows in doubling
// steps: every piece asks for room for its worst case once and is then
// written byte by byte, without a string of its own.
class TByteSink {
public:
    explicit TByteSink(qsizetype capacity)
    {
        FBytes.resize(capacity);
        FNext = FBytes.data();
        FEnd = FNext + capacity;
    }

    /// Returns the place for at most size bytes; Advance tells how far they
    /// reached.
    char *Room(qsizetype size)
    {
        if (FEnd - FNext < size)
            Grow(size);
        return FNext;
    }
    void Advance(char *to) { FNext = to; }

    void Put(QByteArrayView bytes)
    {
        // An empty view may carry no address, which memcpy must not get.
        if (bytes.isEmpty())
            return;
        char *place = Room(bytes.size());
        std::memcpy(place, bytes.data(), size_t(bytes.size()));
        FNext = place + bytes.size();
    }
    void Put(char byte)
    {
        *Room(1) = byte;
        ++FNext;
    }
    void Spaces(int count)
    {
        char *place = Room(count);
        std::memset(place, ' ', size_t(count));
        FNext = place + count;
    }
    void Win1251(QStringView text)
    {
        char *place = Room(text.size());
        for (const QChar ch : text)
            *place++ = Win1251ByteOrQuestion(ch.unicode());
        FNext = place;
    }
    void EncodedText(QStringView text) { FNext = EncodeText(Room(kMaxEncodedCharBytes * text.size()), text); }
    void EncodedValue(QStringView value)
    {
        FNext = EncodeAttributeValue(Room(kMaxEncodedCharBytes * value.size()), value);
    }

    /// Returns the bytes written.
    QByteArray Take()
    {
        FBytes.truncate(FNext - FBytes.data());
        return std::move(FBytes);
    }

private:
    void Grow(qsizetype size)
    {
        const qsizetype used = FNext - FBytes.data();
        FBytes.resize(std::max(2 * FBytes.size(), used + size));
        FNext = FBytes.data() + used;
        FEnd = FBytes.data() + FBytes.size();
    }

    QByteArray FBytes;
    char *FNext;
    char *FEnd;
};
