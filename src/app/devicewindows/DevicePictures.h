#pragma once

#include <QPixmap>

/// Returns the warning mark of the device information list: a yellow
/// triangle with an exclamation mark, size × size pixels.
QPixmap WarningPicture(int size = 16);

/// Returns the 32 × 32 picture of a broken layout: a keyboard split by a red
/// crack.
QPixmap BrokenLayoutPicture();
