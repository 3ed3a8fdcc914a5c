// Captions in the tests: built from ASCII text, and printed readably in failure messages.
#pragma once

#include "ansi_codepage.h"
#include "version_strings.h"

#include <ostream>
#include <string>

namespace tolvane {

inline std::u16string u16(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

// What the list shows for a file without version information.
inline const VersionCaptions kDefaults{kNoInformation, kNotAvailable, kNotAvailable};

// What the list shows for a file it could not read, for the reason given.
inline VersionCaptions unreadable(const std::string& reason) {
    return VersionCaptions{u16("Could not read this file: " + reason), kNotAvailable,
                           kNotAvailable};
}

inline void PrintTo(const VersionCaptions& captions, std::ostream* out) {
    *out << "{description \"" << toUtf8(captions.description) << "\", vendor \""
         << toUtf8(captions.vendor) << "\", version \"" << toUtf8(captions.version) << "\"}";
}

} // namespace tolvane
