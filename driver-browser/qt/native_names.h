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

#include <cstddef>

namespace tolvane {

// The path for the file system's bytes, keeping all of them.
QString pathFromNative(const QByteArray& bytes);

// The bytes of a path made by pathFromNative (or typed as ordinary text).
QByteArray pathToNative(const QString& path);

// A name (one path component, as bytes) as the user sees it.
QString shownName(const QByteArray& bytes);

// A path as the user sees it: every component in its shown form.
QString shownPath(const QString& path);

// A text of the core's with paths in it as the file system's bytes, as the user sees it:
// each part between separators in its shown form, as shownPath.
QString shownText(const char* text);

// Copies text out as the core's seams take texts: at most capacity - 1 bytes and a zero
// byte (nothing when capacity is 0). Returns the text's full length.
std::size_t copyOut(const QByteArray& text, char* buffer, std::size_t capacity);

} // namespace tolvane
