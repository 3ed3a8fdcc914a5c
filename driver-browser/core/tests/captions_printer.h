// Lets GoogleTest print the captions readably in failure messages.
#pragma once

#include "ansi_codepage.h"
#include "version_strings.h"

#include <ostream>
#include <string>

namespace tolvane {

inline void PrintTo(const VersionCaptions& captions, std::ostream* out) {
    *out << "{description \"" << toUtf8(captions.description) << "\", vendor \""
         << toUtf8(captions.vendor) << "\", version \"" << toUtf8(captions.version) << "\"}";
}

} // namespace tolvane
