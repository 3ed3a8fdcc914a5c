// File names and paths between the file system's bytes and the strings of the windows.
//
// On Linux a name is any string of bytes. Paths are carried in a QString that keeps every
// byte: UTF-8 where the bytes are valid UTF-8, and each byte of anything else as the
// character U+DC00 + byte (which valid UTF-8 never yields), so pathToNative gives back the
// bytes exactly. What the user sees of a name is its shown form (see shownFileName in
// core/driver_files.h).
#pragma once

#include <QByteArray>
#include <QString>

namespace tolvane {

// The path for the file system's bytes, keeping all of them.
QString pathFromNative(const QByteArray& bytes);

// The bytes of a path made by pathFromNative (or typed as ordinary text).
QByteArray pathToNative(const QString& path);

// A name (one path component, as bytes) as the user sees it.
QString shownName(const QByteArray& bytes);

// A path as the user sees it: every component in its shown form.
QString shownPath(const QString& path);

} // namespace tolvane
