#pragma once

class QMdiSubWindow;

/// Takes the standard Close key (Ctrl+W on X11) from a sub-window's own
/// system menu: the editor gives Ctrl+W to the print preview and closes
/// documents with Ctrl+F4, and a key on both would make the shortcut
/// ambiguous, so that the sub-window closed instead.
void ReleaseSubWindowCloseKey(QMdiSubWindow &frame);
