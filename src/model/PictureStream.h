#pragma once

#include "model/Graphic.h"

#include <QByteArray>
#include <QByteArrayView>

// The byte form in which a key picture stores its graphic, as the layout file
// carries it in hexadecimal text:
//   "TPF0", short string "TKeyPicture", short string "" (component name),
//   short string "Picture.Data", 0Ah (binary), 32-bit length N, N bytes,
//   00h (end of properties), 00h (end of children).
// A short string is a length byte followed by that many characters. Without
// a graphic the "Picture.Data" property is left out. The N bytes are the
// graphic's class name as a short string, then for "TBitmap", "TJPEGImage"
// and "TMetafile" a 32-bit size and the file, for "TIcon" and "TPngImage" the
// file alone. All numbers are little-endian.

/// Returns the property value of a graphic: its class name and its file.
QByteArray GraphicToPictureData(const TGraphic &graphic);
/// Returns the graphic of a property value, its class name and file kept as
/// they are, decoded or not; an empty graphic when the value is cut short or
/// the size before the file does not match it. A class whose file has no
/// size before it in this stream (an unknown one included) takes the rest.
TGraphic GraphicFromPictureData(QByteArrayView data);

/// Returns the object stream of a key picture holding the graphic.
QByteArray WritePictureStream(const TGraphic &graphic);
/// Returns the graphic of an object stream; an empty graphic when the stream
/// holds none or is not a well-formed key picture stream. Never reads past
/// the input.
TGraphic ReadPictureStream(QByteArrayView stream);
