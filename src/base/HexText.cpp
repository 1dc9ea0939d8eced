#include "base/HexText.h"

namespace {

int UpperHexDigit(char16_t ch)
{
    if (ch >= u'0' && ch <= u'9')
        return ch - u'0';
    if (ch >= u'A' && ch <= u'F')
        return ch - u'A' + 10;
    return -1;
}

} // namespace

QString BytesToHex(const QByteArray &bytes)
{
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    QString text(bytes.size() * 2, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = kDigits[b >> 4];
        *out++ = kDigits[b & 0x0F];
    }
    return text;
}

QByteArray HexToBytes(QStringView text)
{
    // Written through a pointer into room for the most bytes there can be,
    // then cut to the bytes written: picture data runs to kilobytes.
    QByteArray bytes(text.size() / 2 + 1, Qt::Uninitialized);
    char *out = bytes.data();
    int pending = -1;
    for (QChar ch : text) {
        const int digit = UpperHexDigit(ch.unicode());
        if (digit < 0) {
            if (pending >= 0)
                *out++ = char(pending);
            pending = -1;
        } else if (pending < 0) {
            pending = digit;
        } else {
            *out++ = char(pending * 16 + digit);
            pending = -1;
        }
    }
    if (pending >= 0)
        *out++ = char(pending);
    bytes.truncate(out - bytes.constData());
    return bytes;
}
