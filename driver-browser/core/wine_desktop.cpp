#include "wine_desktop.h"

#include "system_reg.h"
#include "windows_directory.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <sys/stat.h>

namespace tolvane {

namespace {

constexpr char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";

// One of the prefix's registry files, read whole.
class RegistryFile {
public:
    explicit RegistryFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        text_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // A string value of the key (ANSI, Windows-1252), or nothing.
    std::optional<std::string> value(const char* key, const char* name) const {
        Cursor cursor{&text_, 0};
        const reg_byte_source source{&Cursor::next, &cursor};
        char data[1024];
        reg_lookup found{};
        system_reg_lookup(&source, key, name, reinterpret_cast<uint8_t*>(data), sizeof data,
                          &found);
        const bool text = found.type == 1 || found.type == 2; // REG_SZ, REG_EXPAND_SZ
        if (!found.value_found || !text || found.size == 0 || found.size > sizeof data) {
            return std::nullopt;
        }
        return std::string(data, found.size - 1); // without the terminating zero
    }

private:
    struct Cursor {
        const std::string* text;
        std::size_t at;
        static int next(void* context) {
            auto* c = static_cast<Cursor*>(context);
            return c->at < c->text->size() ? static_cast<unsigned char>((*c->text)[c->at++]) : -1;
        }
    };
    std::string text_;
};

// %NAME% replaced by the prefix's environment value of that name, in one pass.
std::string expand(const std::string& text, const RegistryFile& user, const RegistryFile& system) {
    std::string expanded;
    std::size_t at = 0;
    for (;;) {
        const std::size_t open = text.find('%', at);
        const std::size_t close = open == std::string::npos ? open : text.find('%', open + 1);
        if (close == std::string::npos) {
            return expanded + text.substr(at);
        }
        const std::string name = text.substr(open + 1, close - open - 1);
        std::optional<std::string> value = user.value("Volatile Environment", name.c_str());
        if (!value) {
            value = user.value("Environment", name.c_str());
        }
        if (!value) {
            value = system.value("System\\CurrentControlSet\\Control\\Session Manager\\Environment",
                                 name.c_str());
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
    for (std::size_t n = 2; n < windowsPath.size(); ++n) {
        const uint16_t unit = cp1252_to_unit(static_cast<uint8_t>(windowsPath[n]));
        if (unit == '\\') {
            path += '/';
        } else if (unit < 0x80) {
            path += static_cast<char>(unit);
        } else if (unit < 0x800) {
            path += static_cast<char>(0xC0 | (unit >> 6));
            path += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            path += static_cast<char>(0xE0 | (unit >> 12));
            path += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            path += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return path;
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

std::string wineUserDesktop(const std::string& prefix) {
    const RegistryFile user(prefix + "/user.reg");
    std::optional<std::string> desktop =
        user.value((kExplorer + std::string("User Shell Folders")).c_str(), "Desktop");
    if (!desktop) {
        desktop = user.value((kExplorer + std::string("Shell Folders")).c_str(), "Desktop");
    }
    if (!desktop) {
        return std::string();
    }
    const bool variables = desktop->find('%') != std::string::npos;
    return inPrefix(prefix, variables ? expand(*desktop, user, RegistryFile(prefix + "/system.reg"))
                                      : *desktop);
}

DesktopFolders wineDesktopFolders() {
    return {nullptr, &isFolder, &userDesktop};
}

} // namespace tolvane
