// GetwinDir's rules: the Windows directory as the platform reports it, and the system
// directory the driver list starts in.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tolvane {

// The platform's answer in the form of GetWindowsDirectoryA: the directory into
// buffer[size] with its terminating zero byte, returning its length; when it does not fit,
// the size it needs (length + 1) and nothing stored; 0 when it fails.
struct WindowsDirectorySeam {
    void* context;
    unsigned (*get)(void* context, char* buffer, unsigned size);
};

// The buffer GetwinDir has always handed over: 144 characters.
inline constexpr unsigned kWindowsDirectoryBuffer = 144;

// WinPath: a buffer of 144 blanks is filled, the count returned is taken as a 16-bit number
// and the first that many characters are the answer. An answer that does not fit in 144
// characters is asked for again into buffer[capacity]. A failed call, or an answer that does
// not fit even then, gives "" (the list then shows "\system" of the current drive). The
// result goes into buffer[capacity] (capacity > 144) and its length is returned.
std::size_t readWindowsDirectory(const WindowsDirectorySeam& platform, char* buffer,
                                 std::size_t capacity);

// The system directory: winPath joined with "system" as the strings stand (a drive root
// with its trailing separator gives a doubled one). As joinPath (path_text.h).
std::size_t systemDirectory(const char* winPath, char* buffer, std::size_t capacity);

} // namespace tolvane
