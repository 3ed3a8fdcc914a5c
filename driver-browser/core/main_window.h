// The main window's own handlers, over its seam: the load (the splash, GetwinDir, the first
// entry), GetwinDir with its 144-character policy, and the Change Directory round trip.
#pragma once

#include "main_window_seam.h"

#include <cstddef>

namespace tolvane {

// The buffer GetwinDir has always handed over: 144 characters.
inline constexpr unsigned kWindowsDirectoryBuffer = 144;
// The longest Windows directory taken at all (a Wine prefix's on Linux may be long).
inline constexpr std::size_t kWinPathCapacity = 4096;

// WinPath: a buffer of 144 blanks is filled, the count returned is taken as a 16-bit number
// and the first that many characters are the answer. An answer that does not fit in 144
// characters is asked for again into buffer[capacity]. A failed call, or an answer that does
// not fit even then, gives "" (the list then shows "\system" of the current drive). The
// result goes into buffer[capacity] (capacity > 144) and its length is returned.
std::size_t readWindowsDirectory(const WindowsDirectorySeam& platform, char* buffer,
                                 std::size_t capacity);

// GetwinDir: WinPath from the platform (readWindowsDirectory), then the process's current
// directory and the list's path set to WinPath joined with "system" as the strings stand (a
// drive root with its trailing separator gives a doubled one).
void getwinDir(const MainWindowSeam& window);

// The load of Form1: the splash window, modally; GetwinDir; the list's first entry selected
// when it has any (already selected by the path change, so usually nothing more runs).
void loadMainWindow(const MainWindowSeam& window);

// "Change Directory": newpath is set to the list's path, Select Path runs modally (OK
// writes newpath, Cancel leaves it), then the list's path is set to newpath. Without
// memory to copy the path, nothing happens.
void changeDirectory(const MainWindowSeam& window);

} // namespace tolvane
