#pragma once

#include <QString>

class TLayout;

/// Expects (non-fatally) that two layouts hold the same: shape fields,
/// selection, version, every layer's keys in order (cell, number, type,
/// repeat, remark, codes by bytes and text, melody, picture with text, font,
/// colours, orientation and graphic class and bytes), card reader with its
/// tracks, key lock positions and groups. The file name, the instance number
/// and the modified flag do not count; nor does the graphic's transparent
/// flag, which readers set.
void ExpectSameLayout(const TLayout &expected, const TLayout &actual);

/// Runs ExpectSameLayout outside a GoogleTest test (in Qt tests) and returns
/// its failures, one line each; empty when the layouts hold the same.
QString LayoutDifferences(const TLayout &expected, const TLayout &actual);
