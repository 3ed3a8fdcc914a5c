// Lets GoogleTest print the captions readably in failure messages.
#pragma once

#include "version_strings.h"

#include <ostream>
#include <string>

namespace tolvane {

// UTF-8 for the test output.
inline std::string toUtf8(const std::u16string& text) {
    std::string out;
    for (const char16_t c : text) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

inline void PrintTo(const VersionCaptions& captions, std::ostream* out) {
    *out << "{description \"" << toUtf8(captions.description) << "\", vendor \""
         << toUtf8(captions.vendor) << "\", version \"" << toUtf8(captions.version) << "\"}";
}

} // namespace tolvane
