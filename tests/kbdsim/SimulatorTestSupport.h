#pragma once

#include "device/DeviceInfo.h"

#include <QByteArray>
#include <cstdint>
#include <initializer_list>

/// An answer frame taken apart.
struct TParsedAnswer {
    uint8_t Error = 0xFF;
    QByteArray Data;
    /// The length byte and the checksum fit the frame.
    bool Framed = false;
};

/// Returns the request frame of the data bytes.
inline QByteArray Frame(std::initializer_list<uint8_t> bytes)
{
    QByteArray data;
    for (uint8_t byte : bytes)
        data.append(char(byte));
    return RequestFrame(data);
}

/// Returns the parts of an answer frame; Framed is false for anything that
/// is not one.
inline TParsedAnswer ParseAnswer(const QByteArray &answer)
{
    TParsedAnswer parsed;
    if (answer.size() < 5)
        return parsed;
    parsed.Error = uint8_t(answer[3]);
    parsed.Data = answer.mid(4, answer.size() - 5);
    parsed.Framed = uint8_t(answer[0]) == 0x02 && uint8_t(answer[1]) == answer.size() - 3 &&
                    XorSum(answer, 1, answer.size() - 1) == uint8_t(answer.back());
    return parsed;
}
