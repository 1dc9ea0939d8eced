#pragma once

#include <QByteArrayView>
#include <QString>

/// Returns the Unicode text of short Windows-1251 bytes, kept for the rest of
/// the program's life: a document repeats a few dozen names and short values
/// thousands of times, and copying or freeing a text that is never freed
/// touches no reference count. The store is shared by all threads and takes
/// a bounded number of characters; past that, and for bytes longer than
/// kMaxLastingBytes, the text is an ordinary one.
QString LastingText(QByteArrayView bytes);

/// The longest bytes kept for good.
inline constexpr qsizetype kMaxLastingBytes = 32;
