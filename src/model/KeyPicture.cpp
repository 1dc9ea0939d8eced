#include "model/KeyPicture.h"

#include "base/Error.h"
#include "base/HexText.h"
#include "model/PictureStream.h"

#include <QCoreApplication>

TKeyPicture::TKeyPicture(TNotifier *notifier) : TNotifyObject(notifier) {}

void TKeyPicture::SetText(const QString &value)
{
    if (value == FText)
        return;
    FText = value;
    FTextChanged = true;
    Change();
}

void TKeyPicture::SetFont(const TFont &value)
{
    FFont = value;
    FFontChanged = true;
    Change();
}

void TKeyPicture::SetPicture(const TGraphic &value)
{
    if (value.Data().size() > kMaxGraphicSize)
        throw EError(
            QCoreApplication::translate("TKeyPicture", "Размер изображения не может превышать 256 КБ."));
    StorePicture(value);
}

void TKeyPicture::StorePicture(const TGraphic &value)
{
    FPicture = value;
    FGraphicChanged = true;
    Change();
}

void TKeyPicture::SetBackgroundColor(uint32_t value)
{
    FBackgroundColor = value;
    FColorChanged = true;
    Change();
}

void TKeyPicture::SetTextOrientation(uint8_t value)
{
    FTextOrientation = value;
    FOrientationChanged = true;
    Change();
}

void TKeyPicture::ResetFlags()
{
    ResetChanged();
    FFontChanged = false;
    FTextChanged = false;
    FColorChanged = false;
    FOrientationChanged = false;
    FGraphicChanged = false;
}

void TKeyPicture::Clear()
{
    FPicture = TGraphic();
    FText.clear();
    FBackgroundColor = 0xFFFFFF;
    FTextOrientation = 0;
    Change();
}

void TKeyPicture::Assign(const TKeyPicture &source)
{
    if (&source == this)
        return;
    SetText(source.FText);
    // Copying the graphic directly gives what reading the source's stream
    // back would give, without the round trip through hexadecimal text; the
    // source may hold a graphic read from a file that exceeds the size
    // limit, which is kept rather than refused.
    StorePicture(source.FPicture);
    SetFont(source.FFont);
    SetTextOrientation(source.FTextOrientation);
    SetBackgroundColor(source.FBackgroundColor);
}

QString TKeyPicture::PictureData() const
{
    return BytesToHex(WritePictureStream(FPicture));
}

void TKeyPicture::SetPictureData(QStringView hexText)
{
    const QByteArray bytes = HexToBytes(hexText);
    if (bytes.isEmpty())
        return;
    TGraphic graphic = ReadPictureStream(bytes);
    if (!graphic.IsEmpty())
        graphic.SetTransparent(true);
    StorePicture(graphic);
}
