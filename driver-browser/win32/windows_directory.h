// The directory seams over the Win32 calls: FindFirstFileA and FindNextFileA on "dir\*"
// (every entry by its real name; the rules match the names) and GetFullPathNameA for "the
// same directory". And the driver list box filled by the rules.
#pragma once

#include <windows.h>

#include "core/directory_listing.h"

namespace tolvane {

class HeapText;

class WindowsDirectory {
public:
    WindowsDirectory() = default;
    WindowsDirectory(const WindowsDirectory&) = delete;
    WindowsDirectory& operator=(const WindowsDirectory&) = delete;
    ~WindowsDirectory();

    DirectorySeam seam();

private:
    static FileFailure open(void* context, const char* dir);
    static bool next(void* context, DirectoryEntry* entry);

    HANDLE search_ = INVALID_HANDLE_VALUE;
    bool first_ = false; // found_ holds the first entry, not yet handed out
    WIN32_FIND_DATAA found_;
};

// The full path of path (GetFullPathNameA) into text, its drive letter in upper case and
// without a trailing separator below a root ("c:\DIR\" gives "C:\DIR"); false when there
// is none.
bool fullPath(const char* path, HeapText& text);

// Two names of one directory: their full paths are equal, ignoring case.
DirectoryIdentitySeam windowsDirectoryIdentity();

// Fills the list box with the names the driver list shows for directory, in their order.
void fillDriverList(HWND listBox, const char* directory, const char* patterns);

// Inserts text into the list box at its place by the lists' order (compareNames) among the
// entries from first on.
void insertSorted(HWND listBox, int first, const char* text);

} // namespace tolvane
