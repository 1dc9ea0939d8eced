#include "model/PictureStream.h"

#include <QtEndian>
#include <optional>

namespace {

constexpr char kSignature[] = "TPF0";
constexpr char kComponentClass[] = "TKeyPicture";
constexpr char kPictureProperty[] = "Picture.Data";
constexpr char kBinaryValue = 0x0A;

// Graphics whose file is preceded by its 32-bit size.
bool HasSizePrefix(QByteArrayView className)
{
    return className == "TBitmap" || className == "TJPEGImage" || className == "TMetafile";
}

void AppendShortString(QByteArray &out, QByteArrayView text)
{
    out.append(char(text.size()));
    out.append(text);
}

void AppendUInt32(QByteArray &out, uint32_t value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

// Reads the input from front to back; every read checks what is left and
// fails instead of reading past the end.
class TStreamReader {
public:
    explicit TStreamReader(QByteArrayView data) : FData(data) {}

    qsizetype Left() const { return FData.size() - FPos; }

    std::optional<QByteArrayView> Bytes(qsizetype count)
    {
        if (count < 0 || count > Left())
            return std::nullopt;
        const QByteArrayView bytes = FData.sliced(FPos, count);
        FPos += count;
        return bytes;
    }

    std::optional<uint8_t> Byte()
    {
        const auto bytes = Bytes(1);
        if (!bytes)
            return std::nullopt;
        return uint8_t((*bytes)[0]);
    }

    std::optional<uint32_t> UInt32()
    {
        const auto bytes = Bytes(4);
        if (!bytes)
            return std::nullopt;
        return qFromLittleEndian<uint32_t>(bytes->data());
    }

    std::optional<QByteArrayView> ShortString()
    {
        const auto length = Byte();
        if (!length)
            return std::nullopt;
        return Bytes(*length);
    }

    QByteArrayView Rest()
    {
        const QByteArrayView rest = FData.sliced(FPos);
        FPos = FData.size();
        return rest;
    }

private:
    QByteArrayView FData;
    qsizetype FPos = 0;
};

} // namespace

QByteArray GraphicToPictureData(const TGraphic &graphic)
{
    QByteArray out;
    if (graphic.IsEmpty())
        return out;
    const QByteArray className = graphic.ClassName().toLatin1();
    AppendShortString(out, className);
    if (HasSizePrefix(className))
        AppendUInt32(out, uint32_t(graphic.Data().size()));
    out.append(graphic.Data());
    return out;
}

TGraphic GraphicFromPictureData(QByteArrayView data)
{
    TStreamReader reader(data);
    const auto className = reader.ShortString();
    if (!className)
        return TGraphic();
    if (HasSizePrefix(*className)) {
        // The size must cover exactly what follows it.
        const auto size = reader.UInt32();
        if (!size || qint64(*size) != reader.Left())
            return TGraphic();
    }
    // The graphic is kept as stored, whether or not it decodes: a picture
    // that cannot be drawn here is still written back unchanged.
    return TGraphic::FromStored(QString::fromLatin1(*className), reader.Rest().toByteArray());
}

QByteArray WritePictureStream(const TGraphic &graphic)
{
    QByteArray out(kSignature);
    AppendShortString(out, kComponentClass);
    AppendShortString(out, "");
    if (!graphic.IsEmpty()) {
        const QByteArray data = GraphicToPictureData(graphic);
        AppendShortString(out, kPictureProperty);
        out.append(kBinaryValue);
        AppendUInt32(out, uint32_t(data.size()));
        out.append(data);
    }
    out.append('\0'); // end of the properties
    out.append('\0'); // end of the children
    return out;
}

TGraphic ReadPictureStream(QByteArrayView stream)
{
    TStreamReader reader(stream);
    const auto signature = reader.Bytes(4);
    const auto componentClass = reader.ShortString();
    if (!signature || *signature != kSignature || !componentClass || *componentClass != kComponentClass)
        return TGraphic();
    if (!reader.ShortString()) // the component name, not used
        return TGraphic();
    std::optional<QByteArrayView> data;
    for (;;) {
        const auto property = reader.ShortString();
        if (!property)
            return TGraphic();
        if (property->isEmpty())
            break;
        // The picture is the one property a key picture streams; any other
        // could not be skipped without knowing its type.
        if (*property != kPictureProperty || data || reader.Byte() != uint8_t(kBinaryValue))
            return TGraphic();
        const auto length = reader.UInt32();
        if (!length)
            return TGraphic();
        data = reader.Bytes(qsizetype(*length));
        if (!data)
            return TGraphic();
    }
    if (reader.Byte() != uint8_t(0) || !data)
        return TGraphic();
    return GraphicFromPictureData(*data);
}
