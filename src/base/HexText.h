#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

/// Returns bytes as hexadecimal text: two upper-case digits per byte, no
/// separators (E0 F0 12 gives "E0F012").
QString BytesToHex(const QByteArray &bytes);

/// Returns the bytes of hexadecimal byte text. Only 0-9 and upper-case A-F are
/// digits; any other character separates. Two digits in a row make a byte, a
/// lone digit before a separator or the end makes a byte of its own ("7" gives
/// 07h), a third digit starts the next byte ("E0F" gives E0h 0Fh).
QByteArray HexToBytes(QStringView text);
