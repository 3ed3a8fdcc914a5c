// The Windows directory on Linux: that of the Wine prefix.
#include "windows_directory.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <unistd.h>

namespace tolvane {

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

void anchorWinePrefix() {
    const char* prefix = std::getenv("WINEPREFIX");
    if (prefix == nullptr || *prefix == '\0' || *prefix == '/') {
        return;
    }
    std::string here(4096, '\0');
    while (::getcwd(&here[0], here.size()) == nullptr) {
        if (errno != ERANGE) {
            return; // left as it stands
        }
        here.resize(here.size() * 2);
    }
    here.resize(std::strlen(here.c_str()));
    ::setenv("WINEPREFIX", (here + "/" + prefix).c_str(), 1);
}

namespace {

// The Windows directory of the Wine prefix, joined as the strings stand.
std::string winePrefixWindows() {
    const std::string prefix = winePrefix();
    return prefix.empty() ? prefix : prefix + "/drive_c/windows";
}

// The prefix's Windows directory in the form GetWindowsDirectoryA answers.
unsigned answer(void*, char* buffer, unsigned size) {
    const std::string dir = winePrefixWindows();
    if (dir.size() >= size) {
        return static_cast<unsigned>(dir.size() + 1);
    }
    std::memcpy(buffer, dir.c_str(), dir.size() + 1);
    return static_cast<unsigned>(dir.size());
}

} // namespace

WindowsDirectorySeam wineWindowsDirectory() {
    return WindowsDirectorySeam{nullptr, &answer};
}

} // namespace tolvane
