#include "driver_files.h"

#include "ansi_codepage.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#endif

namespace tolvane {

namespace {

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Orders names ignoring the case of ASCII letters; names that differ only in case are
// ordered by their bytes, so the order never depends on the directory's own order.
bool lessIgnoringCase(const std::string& a, const std::string& b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t n = 0; n < common; ++n) {
        const auto ca = static_cast<unsigned char>(lowerAscii(a[n]));
        const auto cb = static_cast<unsigned char>(lowerAscii(b[n]));
        if (ca != cb) {
            return ca < cb;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    return a < b;
}

std::vector<std::string_view> splitPatterns(const std::string& patterns) {
    std::vector<std::string_view> parts;
    std::string_view rest(patterns);
    while (true) {
        const std::size_t semicolon = rest.find(';');
        const std::string_view part = rest.substr(0, semicolon);
        if (!part.empty()) {
            parts.push_back(part);
        }
        if (semicolon == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(semicolon + 1);
    }
    return parts;
}

bool matchesAny(const std::vector<std::string_view>& patterns, std::string_view name) {
    return std::any_of(patterns.begin(), patterns.end(),
                       [name](std::string_view pattern) { return wildcardMatch(pattern, name); });
}

} // namespace

namespace {

// The length of the well-formed UTF-8 sequence at bytes[at], with its code point; 0 when
// none starts there.
std::size_t utf8Sequence(std::string_view bytes, std::size_t at, char32_t* codePoint) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    std::size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
        *codePoint = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        smallest = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() - at < length) {
        return 0;
    }
    for (std::size_t n = 1; n < length; ++n) {
        const auto next = static_cast<unsigned char>(bytes[at + n]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        value = (value << 6) | (next & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return 0;
    }
    *codePoint = value;
    return length;
}

} // namespace

bool isValidUtf8(std::string_view bytes) {
    char32_t ignored = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = utf8Sequence(bytes, at, &ignored);
        if (length == 0) {
            return false;
        }
        at += length;
    }
    return true;
}

std::u16string shownFileName(std::string_view bytes) {
    if (!isValidUtf8(bytes)) {
        return ansiToString(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    std::u16string shown;
    char32_t c = 0;
    for (std::size_t at = 0; at < bytes.size(); at += utf8Sequence(bytes, at, &c)) {
        utf8Sequence(bytes, at, &c);
        if (c >= 0x10000) {
            shown.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            shown.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            shown.push_back(static_cast<char16_t>(c));
        }
    }
    return shown;
}

bool wildcardMatch(std::string_view pattern, std::string_view name) {
    // Two pointers; on a mismatch fall back to the latest '*' and let it swallow one more
    // character. Linear in practice, never worse than pattern size times name size.
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starAt = std::string_view::npos;
    std::size_t starMatched = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            starMatched = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || lowerAscii(pattern[p]) == lowerAscii(name[n]))) {
            ++p;
            ++n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++starMatched;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

#ifdef _WIN32

std::vector<std::string> listDriverFiles(const std::string& dir, const std::string& patterns) {
    std::vector<std::string> names;
    const auto wanted = splitPatterns(patterns);
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    const std::unique_ptr<void, decltype(&FindClose)> closer(search, &FindClose);
    do {
        const DWORD skipped =
            FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        if ((found.dwFileAttributes & skipped) == 0 && matchesAny(wanted, found.cFileName)) {
            names.emplace_back(found.cFileName);
        }
    } while (FindNextFileA(search, &found));
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    return names;
}

#else

namespace {

// Whether Wine takes the file for hidden or system: Wine keeps a file's DOS attributes in
// the extended attribute user.DOSATTRIB, as the text "0x" and the bits in hexadecimal.
bool hiddenOrSystemForWine(const std::string& path) {
    char text[32] = {};
    const ssize_t size = ::getxattr(path.c_str(), "user.DOSATTRIB", text, sizeof text - 1);
    if (size <= 2 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) {
        return false;
    }
    const unsigned long bits = std::strtoul(text + 2, nullptr, 16);
    return (bits & 0x6) != 0; // FILE_ATTRIBUTE_HIDDEN 0x2, FILE_ATTRIBUTE_SYSTEM 0x4
}

} // namespace

std::vector<std::string> listDriverFiles(const std::string& dir, const std::string& patterns) {
    std::vector<std::string> names;
    const auto wanted = splitPatterns(patterns);
    const std::unique_ptr<DIR, int (*)(DIR*)> directory(::opendir(dir.c_str()), &::closedir);
    if (!directory) {
        return names;
    }
    while (const dirent* entry = ::readdir(directory.get())) {
        const std::string name = entry->d_name;
        if (name.empty() || name[0] == '.' || !matchesAny(wanted, name)) {
            continue;
        }
        // stat follows symbolic links: a link to a regular file is listed as a file.
        struct stat status {};
        const std::string path = dir + "/" + name;
        if (::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
            !hiddenOrSystemForWine(path)) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    return names;
}

#endif

} // namespace tolvane
