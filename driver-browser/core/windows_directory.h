// Where the Windows installation the browser looks at lives (Linux builds).
#pragma once

#include "main_window_seam.h"

#include <string>

namespace tolvane {

// The Windows directory as GetWindowsDirectoryA would give it: the Wine prefix's
// drive_c/windows ($WINEPREFIX, else ~/.wine), joined as the strings stand; a failure when
// there is no prefix.
WindowsDirectorySeam wineWindowsDirectory();

// The Wine prefix the browser looks at: $WINEPREFIX, else ~/.wine; empty when there is no
// home directory either.
std::string winePrefix();

// Makes a relative $WINEPREFIX absolute, joined to the current directory, so that it still
// names the same prefix when the program changes directory. The program calls it first.
void anchorWinePrefix();

} // namespace tolvane
