// Key picture streams: the input is the object stream a layout file carries
// as hexadecimal text in its picture element; a graphic it yields is written
// back and drawn, which decodes it.

#include "FuzzSupport.h"

#include "base/HexText.h"
#include "model/KeyPicture.h"
#include "model/KeyPictureDraw.h"

#include <QImage>
#include <QPainter>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TKeyPicture picture;
    Refused([&] { picture.SetPictureData(BytesToHex(FuzzInput(data, size))); });
    if (picture.HasGraphic()) {
        picture.PictureData();
        QImage canvas(16, 16, QImage::Format_ARGB32);
        QPainter painter(&canvas);
        DrawGraphic(painter, picture.Picture(), QRectF(0, 0, 16, 16));
    }
    return 0;
}
