#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

/// Returns a toolbar icon drawn in code: a rounded tile of colour with a
/// short white glyph (a digit, a letter or a symbol) in its middle, at the
/// sizes toolbars use. The program ships no image files for its commands.
QIcon GlyphIcon(const QString &glyph, const QColor &colour);
