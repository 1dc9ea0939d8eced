// Key picture streams: the input is the object stream a layout file carries
// as hexadecimal text in its picture element; a graphic it yields is written
// back.

#include "FuzzSupport.h"

#include "base/HexText.h"
#include "model/KeyPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TKeyPicture picture;
    Refused([&] { picture.SetPictureData(BytesToHex(FuzzInput(data, size))); });
    if (picture.HasGraphic())
        picture.PictureData();
    return 0;
}
