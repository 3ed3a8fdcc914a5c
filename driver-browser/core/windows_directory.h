// Where the Windows installation the browser looks at lives.
#pragma once

#include <string>

namespace tolvane {

// The platform's path separator as a string: "\\" on Windows, "/" elsewhere.
const char* pathSeparator();

// The Windows directory, exactly as the platform reports it: GetWindowsDirectoryA on
// Windows; elsewhere the Wine prefix's drive_c/windows ($WINEPREFIX, else ~/.wine).
// Empty when it cannot be determined.
std::string windowsDirectory();

#ifndef _WIN32
// The Wine prefix the browser looks at: $WINEPREFIX, else ~/.wine; empty when there is no
// home directory either.
std::string winePrefix();
#endif

} // namespace tolvane
