// The directory seams over the Win32 calls: FindFirstFileA and FindNextFileA on "dir\*"
// (every entry by its real name; the rules match the names), GetFullPathNameA for "the
// same directory", and GetWindowsDirectoryA. And the driver list box filled by the rules.
#pragma once

#include <windows.h>

#include "core/directory_listing.h"
#include "core/getwin_dir.h"

namespace tolvane {

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

// Two names of one directory: their full paths are equal, ignoring case.
DirectoryIdentitySeam windowsDirectoryIdentity();

// GetWindowsDirectoryA.
WindowsDirectorySeam windowsDirectorySeam();

// Fills the list box with the names the driver list shows for directory, in their order.
void fillDriverList(HWND listBox, const char* directory, const char* patterns);

} // namespace tolvane
