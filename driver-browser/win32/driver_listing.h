// Fills a list box with the files of a directory that match ";"-separated wildcard
// patterns (FindFirstFileA/FindNextFileA per pattern): directories, hidden and system files
// left out, sorted ignoring case, each name once.
#pragma once

#include <windows.h>

namespace tolvane {

void fillDriverList(HWND listBox, const char* directory, const char* patterns);

} // namespace tolvane
