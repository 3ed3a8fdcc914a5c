// Version strings of a driver file, found by searching its bytes for 8-bit version
// information: "StringFileInfo" followed by a zero byte, then the keys CompanyName,
// FileDescription and FileVersion in a 200-byte window behind it, each value being the
// zero-terminated text after its key.
//
// Needs no C++ runtime library and no heap: the captions are handed over as runs of bytes.
//
// A caption is not always one piece of the file. The window text is the windows of all
// markers met so far, one after the other, and a value that starts in the first window
// runs on, up to a zero byte or the end of the window text, into the text that later
// markers appended; two windows are separated by the bytes the scan skips (or overlap).
// So the scan gives each caption as a sequence of byte runs, to be joined by the caller.
// The bytes are those of the file (or of the fixed default texts); they become characters
// through the system's ANSI code page, one character per byte, on the caller's side.
#pragma once

#include "value_labels.h"

#include <cstddef>
#include <cstdint>

namespace tolvane {

// The captions shown when a file has no (or incomplete) version information.
inline constexpr char kNoInformationText[] = "No Information available on this driver";
inline constexpr char kNotAvailableText[] = "N/A";
// The description of a file that cannot be opened or read begins with this, followed by the
// reason in plain words; vendor and version are then "N/A".
inline constexpr char kUnreadableFileText[] = "Could not read this file: ";

// Receives the captions of one file. The scan calls append for the Description caption
// first, then Vendor, then Version; each caption's runs come one after the other and
// joined they are the caption's text. An empty caption gets no call. The runs point into
// the file's bytes or into static texts and stay valid as long as those do.
struct CaptionSink {
    void* context;
    void (*append)(void* context, ValueLabel label, const uint8_t* bytes, std::size_t size);
};

// Scans the file whose whole contents are bytes[0..size) and hands the captions of the
// Description, Vendor and Version labels to sink, exactly as the main window shows them.
void scanVersionStrings(const uint8_t* bytes, std::size_t size, const CaptionSink& sink);

// The captions for a file that cannot be opened or read: the description is
// kUnreadableFileText followed by reason (a zero-terminated text), vendor and version are
// "N/A".
void unreadableFileCaptions(const char* reason, const CaptionSink& sink);

} // namespace tolvane
