#include "desktop_folders.h"

#include <windows.h>

#include <shlobj.h>

namespace tolvane {

namespace {

// An item ID list from the shell, given back to the shell's allocator on destruction.
class ShellItemList {
public:
    ShellItemList() = default;
    ShellItemList(const ShellItemList&) = delete;
    ShellItemList& operator=(const ShellItemList&) = delete;
    ~ShellItemList() {
        IMalloc* allocator = nullptr;
        if (list_ != nullptr && SUCCEEDED(SHGetMalloc(&allocator))) {
            allocator->Free(list_);
            allocator->Release();
        }
    }

    LPITEMIDLIST* receive() { return &list_; }
    LPCITEMIDLIST get() const { return list_; }

private:
    LPITEMIDLIST list_ = nullptr;
};

bool folderExists(void*, const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool userDesktop(void*, char* buffer, std::size_t capacity) {
    ShellItemList desktop;
    if (FAILED(SHGetSpecialFolderLocation(NULL, CSIDL_DESKTOPDIRECTORY, desktop.receive())) ||
        desktop.get() == nullptr) {
        return false;
    }
    char path[MAX_PATH];
    if (!SHGetPathFromIDListA(desktop.get(), path)) {
        return false;
    }
    std::size_t length = 0;
    while (path[length] != '\0') {
        ++length;
    }
    if (length == 0 || length >= capacity) {
        return false;
    }
    for (std::size_t n = 0; n <= length; ++n) {
        buffer[n] = path[n];
    }
    return true;
}

} // namespace

DesktopFolders shellDesktopFolders() {
    return {nullptr, &folderExists, &userDesktop};
}

} // namespace tolvane
