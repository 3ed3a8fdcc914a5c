// Where the Windows installation the browser looks at lives (Linux builds).
#pragma once

#include <string>

namespace tolvane {

// The platform's path separator as a string: "/".
const char* pathSeparator();

// The Windows directory by GetwinDir's rules (getwin_dir.h): the Wine prefix's
// drive_c/windows ($WINEPREFIX, else ~/.wine). Empty when it cannot be determined.
std::string windowsDirectory();

// The Wine prefix the browser looks at: $WINEPREFIX, else ~/.wine; empty when there is no
// home directory either.
std::string winePrefix();

// Makes a relative $WINEPREFIX absolute, joined to the current directory, so that it still
// names the same prefix when the program changes directory. The program calls it first.
void anchorWinePrefix();

} // namespace tolvane
