// A plain, literal reading of the driver-information scan, written for checking the fast
// extraction against: 1-based positions, byte-by-byte comparisons, the window text held
// whole, the four value labels kept as the main window keeps them. Slow on purpose; used
// by the differential tests and by the fuzzer.
#pragma once

#include "ansi_codepage.h"
#include "version_strings.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace tolvane::reference {

// Captions the labels held before the run. Vendor and version keep theirs until the first
// marker clears them, so if a stale caption ever reached the result it would show.
inline constexpr char16_t kStaleVendor[] = u"<vendor of the previous driver>";
inline constexpr char16_t kStaleVersion[] = u"<version of the previous driver>";

// Searches the window text for key at positions 1 .. windowLength; on the first match
// sets label to the text behind it. A value with no NUL behind it ends at the end of the
// window text. Returns whether the key was found.
inline bool searchKey(const std::u16string& windowText, int16_t windowLength, const char* key,
                      long long keyLength, std::u16string& label) {
    label.clear();
    std::u16string value;
    const auto textLength = static_cast<long long>(windowText.size());
    for (long long k = 1; k <= windowLength; ++k) {
        bool equal = true;
        for (long long c = 0; c < keyLength; ++c) {
            const long long position = k + c;
            if (position > textLength || windowText[static_cast<std::size_t>(position - 1)] !=
                                             static_cast<char16_t>(key[c])) {
                equal = false;
                break;
            }
        }
        if (equal) {
            k = k + keyLength + 1;
            while (k <= textLength && windowText[static_cast<std::size_t>(k - 1)] != u'\0') {
                value += windowText[static_cast<std::size_t>(k - 1)];
                k = k + 1;
            }
            label = value;
            return true;
        }
    }
    return false;
}

inline VersionCaptions scanLiterally(const uint8_t* bytes, std::size_t size) {
    static const uint8_t marker[15] = {'S', 't', 'r', 'i', 'n', 'g', 'F', 'i',
                                       'l', 'e', 'I', 'n', 'f', 'o', 0};
    const auto length = static_cast<long long>(size);
    auto image = [bytes](long long position) { return bytes[position - 1]; };

    std::u16string descrLabel;
    std::u16string vendorLabel = kStaleVendor;
    std::u16string versionLabel = kStaleVersion;

    bool skipDefaults = false;
    if (length != 0) {
        int16_t windowLength = 0;
        std::u16string windowText;
        for (long long i = 1; i <= length - 1; ++i) {
            bool match = true;
            for (long long m = 0; m < 15; ++m) {
                if (i + m > length || image(i + m) != marker[m]) {
                    match = false;
                    break;
                }
            }
            if (!match) {
                continue;
            }
            windowLength = 200;
            i = i + 30;
            if (i + 200 > length) {
                windowLength = static_cast<int16_t>(length - i);
            }
            for (long long j = 1; j <= windowLength; ++j) {
                windowText += ansiToChar(image(i + j));
            }
            searchKey(windowText, windowLength, "CompanyName", 11, vendorLabel);
            searchKey(windowText, windowLength, "FileDescription", 15, descrLabel);
            if (searchKey(windowText, windowLength, "FileVersion", 11, versionLabel)) {
                skipDefaults = true;
                break;
            }
        }
    }
    if (!skipDefaults) {
        if (descrLabel.empty()) {
            descrLabel = kNoInformation;
            vendorLabel = kNotAvailable;
            versionLabel = kNotAvailable;
        }
        if (vendorLabel.empty()) {
            vendorLabel = kNotAvailable;
        }
        if (versionLabel.empty()) {
            versionLabel = kNotAvailable;
        }
    }
    return VersionCaptions{descrLabel, vendorLabel, versionLabel};
}

} // namespace tolvane::reference
