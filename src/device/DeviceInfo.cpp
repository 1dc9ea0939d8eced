#include "device/DeviceInfo.h"

#include "base/Error.h"

#include <QCoreApplication>

TDeviceInfo TDeviceInfo::FromAnswer(const QByteArray &data)
{
    if (data.size() < 8)
        throw EError(QCoreApplication::translate("DeviceInfo", "Неверная длина кадра."));
    const auto byte = [&](int i) { return uint8_t(data[i]); };
    TDeviceInfo info;
    info.Major = byte(0);
    info.Minor = byte(1);
    info.Version = QStringLiteral("%1.%2").arg(info.Major).arg(info.Minor);
    info.MemorySize = uint16_t(byte(2) | byte(3) << 8);
    info.DeviceType = byte(4);
    info.LayerCount = byte(5);
    info.Track1 = byte(6) & 1;
    info.Track2 = byte(6) & 2;
    info.Track3 = byte(6) & 4;
    info.KeyPositions = byte(7);
    if (data.size() > 8)
        info.KeyCount = byte(8);
    return info;
}

QByteArray TDeviceInfo::ToAnswer(bool withKeyCount) const
{
    QByteArray data;
    data.append(char(Major));
    data.append(char(Minor));
    data.append(char(MemorySize & 0xFF));
    data.append(char(MemorySize >> 8));
    data.append(char(DeviceType));
    data.append(char(LayerCount));
    data.append(char((Track1 ? 1 : 0) | (Track2 ? 2 : 0) | (Track3 ? 4 : 0)));
    data.append(char(KeyPositions));
    if (withKeyCount)
        data.append(char(uint8_t(KeyCount)));
    return data;
}

TDeviceStatus TDeviceStatus::FromByte(uint8_t raw)
{
    TDeviceStatus status;
    status.Raw = raw;
    status.ProgramValid = raw & kStatusProgramValid;
    status.LoaderMode = raw & kStatusLoaderMode;
    status.ProgramMemory = raw & kStatusProgramMemory;
    status.LayoutValid = raw & kStatusLayoutValid;
    return status;
}

uint8_t ModeByte(bool loader, bool programMemory)
{
    return uint8_t((loader ? kStatusLoaderMode : 0) | (programMemory ? kStatusProgramMemory : 0));
}

QString DeviceErrorText(uint8_t code)
{
    switch (code) {
    case deNone:
        return QCoreApplication::translate("DeviceInfo", "Ошибок нет");
    case deBadParameter:
        return QCoreApplication::translate("DeviceInfo", "Неверное значение параметра команды");
    case deNotSupported:
        return QCoreApplication::translate("DeviceInfo", "Команда не поддерживается устройством");
    case deWrongMode:
        return QCoreApplication::translate("DeviceInfo", "Клавиатура находится в неверном режиме");
    default:
        return QCoreApplication::translate("DeviceInfo", "Неизвестная ошибка устройства");
    }
}

uint8_t XorSum(const QByteArray &data, qsizetype from, qsizetype to)
{
    uint8_t sum = 0;
    for (qsizetype i = from; i < to; ++i)
        sum ^= uint8_t(data[i]);
    return sum;
}

QByteArray RequestFrame(const QByteArray &data)
{
    QByteArray frame;
    frame.reserve(data.size() + 3);
    frame.append(char(0x02));
    frame.append(char(uint8_t(data.size())));
    frame.append(data);
    frame.append(char(XorSum(frame, 1, frame.size())));
    return frame;
}

QByteArray AnswerFrame(uint8_t error, const QByteArray &data)
{
    QByteArray frame;
    frame.reserve(data.size() + 5);
    frame.append(char(0x02));
    frame.append(char(uint8_t(data.size() + 2)));
    frame.append(char(0));
    frame.append(char(error));
    frame.append(data);
    frame.append(char(XorSum(frame, 1, frame.size())));
    return frame;
}
