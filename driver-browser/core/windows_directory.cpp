#include "windows_directory.h"

#include <cstdlib>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace tolvane {

#ifdef _WIN32

const char* pathSeparator() {
    return "\\";
}

std::string windowsDirectory() {
    // The 144-character buffer the browser has always used; a longer answer (the call
    // then reports the size it needs) is fetched again with a buffer of that size.
    std::vector<char> buffer(144);
    UINT stored = GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    if (stored >= buffer.size()) {
        buffer.resize(stored + 1);
        stored = GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
        if (stored >= buffer.size()) {
            return std::string();
        }
    }
    return std::string(buffer.data(), stored);
}

#else

const char* pathSeparator() {
    return "/";
}

std::string winePrefix() {
    const char* prefix = std::getenv("WINEPREFIX");
    if (prefix && *prefix) {
        return prefix;
    }
    const char* home = std::getenv("HOME");
    if (home && *home) {
        return std::string(home) + "/.wine";
    }
    // No HOME: ask the user database for the home directory.
    if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir && *user->pw_dir) {
        return std::string(user->pw_dir) + "/.wine";
    }
    return std::string();
}

std::string windowsDirectory() {
    // The Windows directory of the Wine prefix, joined as the strings stand.
    const std::string prefix = winePrefix();
    return prefix.empty() ? prefix : prefix + "/drive_c/windows";
}

#endif

} // namespace tolvane
