#pragma once

#include "model/Graphic.h"

#include <QString>

/// Returns the file dialog filter ("description|pattern|...") of every
/// picture file the program can read: the graphic kinds of a key picture (bitmap, JPEG, icon, PNG,
/// metafile) and every other image format Qt reads here.
QString GraphicFileFilter();

/// Returns the graphic held in a picture file. Files of a graphic kind are
/// kept byte for byte; an image in another format Qt reads becomes a PNG
/// image. Raises EError for a file that cannot be read, holds no picture, is
/// larger than kMaxGraphicSize or holds an image larger than
/// kMaxGraphicDimension.
TGraphic LoadGraphicFile(const QString &fileName);
