#pragma once

#include <QIcon>

/// Returns the application icon (the resource ":/icons/ravlin.svg", the same
/// drawing the desktop entry installs), for the windows' title bars.
QIcon AppIcon();
