#pragma once

/// Sets the application's style to its current one with the standard icons
/// that are often never shown (a toolbar's overflow arrow, the title bar
/// buttons of document windows) read when first drawn rather than when the
/// widget is made. Qt reads them from PNG files, and recognising the first
/// one loads every image plugin: a few milliseconds of every start. Call
/// once, after the QApplication and before the first window.
void InstallEditorStyle();
