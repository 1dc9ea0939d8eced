#pragma once

#include <QIcon>
#include <QString>

/// Returns the toolbar icon of a command by its name: "new", "open", "save",
/// "print-preview" (file); "undo", "redo", "cut", "copy", "paste", "find", "replace",
/// "group", "ungroup", "check", "card-reader", "key-lock",
/// "layout-properties", "key-properties" (edit); "device-info", "key-test",
/// "write-layout", "read-layout", "refresh" (device); "layers-all",
/// "layer-1" to "layer-4" (layers); "view-layout", "view-simplified",
/// "view-picture" (view modes). The drawings are line art in a 24 by 24
/// grid with one accent colour per family, drawn at the size asked for when
/// first shown; the style greys them for the disabled state. An unknown
/// name gives a null icon.
QIcon ToolbarIcon(const QString &name);

/// Returns the drawing of an SVG file as an icon drawn at the size asked for
/// when first shown (without the image plugins Qt's own SVG icons load); a
/// null icon when the file holds no valid drawing.
QIcon SvgIcon(const QString &fileName);
