#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

/// The keyboard's answer to the information command: which program answered
/// (the working program or the loader) and what the keyboard has.
struct TDeviceInfo {
    /// "%d.%d" of Major and Minor.
    QString Version;
    uint8_t Major = 0;
    uint8_t Minor = 0;
    /// Memory size in bytes as the keyboard reports it.
    uint16_t MemorySize = 0;
    /// Model code, matched against the Model of the catalogue.
    uint8_t DeviceType = 0;
    uint8_t LayerCount = 0;
    bool Track1 = false;
    bool Track2 = false;
    bool Track3 = false;
    uint8_t KeyPositions = 0;
    /// Number of keys; 0 when the answer has only 8 bytes.
    int32_t KeyCount = 0;

    /// Returns the record an answer's data holds; raises "Неверная длина
    /// кадра." for fewer than 8 bytes.
    static TDeviceInfo FromAnswer(const QByteArray &data);
    /// Returns the 8 (or, with a key count, 9) answer bytes of the record,
    /// as a keyboard sends them.
    QByteArray ToAnswer(bool withKeyCount) const;
};

/// The keyboard's status byte, decoded.
struct TDeviceStatus {
    uint8_t Raw = 0;
    /// The working program is intact; clear together with LoaderMode it
    /// means the program is damaged.
    bool ProgramValid = false;
    bool LoaderMode = false;
    /// Loader writes go to program memory rather than layout memory.
    bool ProgramMemory = false;
    /// The stored layout is accepted by the working program.
    bool LayoutValid = false;

    /// Returns the status a status byte stands for.
    static TDeviceStatus FromByte(uint8_t raw);
};

/// Bits of the status byte and of the mode byte of the mode command.
inline constexpr uint8_t kStatusProgramValid = 0x01;
inline constexpr uint8_t kStatusLoaderMode = 0x02;
inline constexpr uint8_t kStatusProgramMemory = 0x10;
inline constexpr uint8_t kStatusLayoutValid = 0x20;

/// Returns the mode byte of the mode command: bit 1 loader mode, bit 4
/// program memory.
uint8_t ModeByte(bool loader, bool programMemory);

/// The command codes of the keyboard protocol.
enum TKeyboardCommand : uint8_t {
    kcWriteMemory = 0x9C,
    kcReadMemory = 0x9D,
    kcInfo = 0x9E,
    kcStatusOrMode = 0x9F,
    kcPlayNotes = 0xA0,
    kcMatrixState = 0xA1,
};

/// Device error codes of answer byte 3.
enum TDeviceError : uint8_t {
    deNone = 0,
    deBadParameter = 4,
    deNotSupported = 8,
    deWrongMode = 0x73,
};

/// Returns the text of a device error code ("Неизвестная ошибка устройства"
/// for a code the table lacks).
QString DeviceErrorText(uint8_t code);

/// Returns the request frame of request data: 02h, the length, the data, the
/// XOR of the length and the data.
QByteArray RequestFrame(const QByteArray &data);
/// Returns an answer frame as a keyboard sends it: 02h, the length of what
/// follows up to the checksum, a reserved 0, the error code, the data, the
/// XOR of bytes 1 to the last but one.
QByteArray AnswerFrame(uint8_t error, const QByteArray &data);
/// Returns the XOR of bytes from .. to - 1 of data.
uint8_t XorSum(const QByteArray &data, qsizetype from, qsizetype to);
