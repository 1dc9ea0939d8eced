#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The names and codes of the code tables, kept for the rest of the program's
// life: every code item a layout holds copies them from a table, and copying
// or freeing a text that is never freed touches no reference count. The
// store is shared by all threads and takes a bounded number of bytes; past
// that the copy is an ordinary one.

/// Returns bytes equal to the given ones, kept for good when there is room.
QByteArray LastingBytes(QByteArrayView bytes);

/// Returns a text equal to the given one, kept for good when there is room.
QString LastingName(const QString &name);
