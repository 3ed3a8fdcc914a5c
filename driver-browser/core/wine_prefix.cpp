// The Wine prefix as Tolvane's Windows on Linux: where it is, its Windows directory, and its
// user's desktop folder as its registry files name it.
#include "ansi_codepage.h"
#include "windows_directory.h"
#include "wine_desktop.h"
#include "wine_registry.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
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
    std::error_code error;
    const std::string here = std::filesystem::current_path(error).string();
    if (!error) { // else left as it stands
        ::setenv("WINEPREFIX", (here + "/" + prefix).c_str(), 1);
    }
}

namespace {

// The prefix's Windows directory, joined as the strings stand, in the form
// GetWindowsDirectoryA answers.
unsigned answer(void*, char* buffer, unsigned size) {
    const std::string prefix = winePrefix();
    const std::string dir = prefix.empty() ? prefix : prefix + "/drive_c/windows";
    if (dir.size() >= size) {
        return static_cast<unsigned>(dir.size() + 1);
    }
    std::memcpy(buffer, dir.c_str(), dir.size() + 1);
    return static_cast<unsigned>(dir.size());
}

constexpr char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";

// A REG_SZ or REG_EXPAND_SZ value of the key in one of the prefix's registry files (ANSI,
// Windows-1252), or nothing; the file is read afresh for each value (common/wine_registry.h:
// streamed, and never a special file or one far too large). A value of more than a few
// paths' length is none the shortcut can use.
std::optional<std::string> registryValue(const std::string& file, const std::string& key,
                                         const std::string& name) {
    char text[2048];
    reg_lookup found{};
    if (wine_registry_file_lookup(file.c_str(), key.c_str(), name.c_str(),
                                  reinterpret_cast<uint8_t*>(text), sizeof text,
                                  &found) != REG_FILE_READ ||
        !found.value_found || (found.type != 1 && found.type != 2) || found.size > sizeof text) {
        return std::nullopt;
    }
    const bool terminated = found.size > 0 && text[found.size - 1] == '\0';
    return std::string(text, found.size - (terminated ? 1 : 0));
}

// %NAME% replaced by the prefix's environment value of that name, in one pass.
std::string expand(const std::string& text, const std::string& user, const std::string& system) {
    std::string expanded;
    std::size_t at = 0;
    for (;;) {
        const std::size_t open = text.find('%', at);
        const std::size_t close = open == std::string::npos ? open : text.find('%', open + 1);
        if (close == std::string::npos) {
            return expanded + text.substr(at);
        }
        const std::string name = text.substr(open + 1, close - open - 1);
        std::optional<std::string> value = registryValue(user, "Volatile Environment", name);
        if (!value) {
            value = registryValue(user, "Environment", name);
        }
        if (!value) {
            value = registryValue(
                system, "System\\CurrentControlSet\\Control\\Session Manager\\Environment", name);
        }
        if (name.empty() || !value) {
            expanded += text.substr(at, close - at); // left as it stands; the second '%'
            at = close;                              // may open the next name
            continue;
        }
        expanded += text.substr(at, open - at) + *value;
        at = close + 1;
    }
}

// The Windows path's place in the prefix, or empty when it is not on a drive letter.
std::string inPrefix(const std::string& prefix, const std::string& windowsPath) {
    const bool drive = windowsPath.size() >= 2 && windowsPath[1] == ':' &&
                       ((windowsPath[0] | 0x20) >= 'a' && (windowsPath[0] | 0x20) <= 'z');
    if (!drive) {
        return std::string();
    }
    const char letter = static_cast<char>(windowsPath[0] | 0x20);
    std::string path = prefix + (letter == 'c' ? std::string("/drive_c")
                                               : "/dosdevices/" + std::string(1, letter) + ":");
    std::u16string rest = ansiToString(reinterpret_cast<const uint8_t*>(windowsPath.data()) + 2,
                                       windowsPath.size() - 2);
    std::replace(rest.begin(), rest.end(), u'\\', u'/');
    return path + toUtf8(rest);
}

bool isFolder(void*, const char* path) {
    struct stat info {};
    return ::stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

bool userDesktop(void*, char* buffer, std::size_t capacity) {
    const std::string prefix = winePrefix();
    const std::string folder = prefix.empty() ? prefix : wineUserDesktop(prefix);
    if (folder.empty() || folder.size() >= capacity) {
        return false;
    }
    folder.copy(buffer, folder.size());
    buffer[folder.size()] = '\0';
    return true;
}

} // namespace

WindowsDirectorySeam wineWindowsDirectory() {
    return WindowsDirectorySeam{nullptr, &answer};
}

std::string wineUserDesktop(const std::string& prefix) {
    const std::string user = prefix + "/user.reg";
    std::optional<std::string> desktop =
        registryValue(user, kExplorer + std::string("User Shell Folders"), "Desktop");
    if (!desktop) {
        desktop = registryValue(user, kExplorer + std::string("Shell Folders"), "Desktop");
    }
    if (!desktop) {
        return std::string();
    }
    const bool variables = desktop->find('%') != std::string::npos;
    return inPrefix(prefix, variables ? expand(*desktop, user, prefix + "/system.reg") : *desktop);
}

DesktopFolders wineDesktopFolders() {
    return {nullptr, &isFolder, &userDesktop};
}

} // namespace tolvane
