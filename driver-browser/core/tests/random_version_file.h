// Random driver-file contents for differential testing: markers (whole, cut short,
// overlapping, near the end), keys with and without terminators, values with high bytes,
// 16-bit strings, on a background of bytes that often resemble the real thing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace tolvane::testing {

inline std::vector<uint8_t> randomVersionFile(std::mt19937& random, std::size_t maxSize) {
    auto below = [&random](std::size_t bound) {
        return bound == 0 ? std::size_t{0}
                          : std::uniform_int_distribution<std::size_t>(0, bound - 1)(random);
    };
    static const char* const pieces[] = {
        "StringFileInfo", "CompanyName", "FileDescription", "FileVersion", "File",
        "Company",        "Version",     "String",          "Info",        "FileVer"};
    const std::size_t size = below(maxSize + 1);
    std::vector<uint8_t> bytes(size);
    const std::size_t background = below(4);
    for (uint8_t& byte : bytes) {
        switch (background) {
        case 0:
            byte = 0;
            break;
        case 1:
            byte = static_cast<uint8_t>(below(256));
            break;
        case 2:
            byte = static_cast<uint8_t>(below(4) == 0 ? 0 : 'a' + below(26));
            break;
        default:
            byte = static_cast<uint8_t>(below(8) == 0 ? below(256) : 0x20 + below(3));
            break;
        }
    }
    if (size == 0) {
        return bytes;
    }
    auto put = [&bytes](std::size_t at, const std::string& text) {
        for (std::size_t n = 0; n < text.size() && at + n < bytes.size(); ++n) {
            bytes[at + n] = static_cast<uint8_t>(text[n]);
        }
    };
    auto randomValue = [&]() {
        std::string value;
        const std::size_t length = below(12);
        for (std::size_t n = 0; n < length; ++n) {
            value.push_back(static_cast<char>(below(3) == 0 ? 0x80 + below(128) : 'A' + below(26)));
        }
        return value;
    };
    const std::string marker = std::string("StringFileInfo") + '\0';
    const std::size_t insertions = below(size / 20 + 8);
    for (std::size_t n = 0; n < insertions; ++n) {
        // Offsets favour the end of the file and the distances the scan cares about.
        std::size_t at = below(size);
        if (below(4) == 0) {
            at = size - 1 - below(std::min<std::size_t>(size, 240));
        }
        switch (below(9)) {
        case 0:
        case 1: {
            // A marker with keys laid out in its window.
            put(at, marker);
            std::size_t key = at + 31 + below(4) * below(60);
            const std::size_t entries = below(4);
            for (std::size_t e = 0; e < entries; ++e) {
                std::string entry = std::string(pieces[1 + below(3)]) + '\0' + randomValue();
                if (below(5) != 0) {
                    entry.push_back('\0');
                }
                put(key, entry);
                key += entry.size() + below(3);
            }
            break;
        }
        case 2:
            put(at, marker);
            break;
        case 3:
            put(at, marker.substr(0, below(marker.size()) + 1)); // maybe cut short
            break;
        case 4: {
            // A second marker at a distance around the 30 skipped bytes.
            put(at, marker);
            put(at + 25 + below(12), marker);
            break;
        }
        case 5:
            put(at, std::string(pieces[below(10)]) + (below(2) ? std::string(1, '\0') : ""));
            break;
        case 6:
            put(at, std::string(pieces[1 + below(3)]) + '\0' + '\0');
            break;
        case 7: {
            // A 16-bit marker and key.
            std::string wide;
            for (const char c : std::string("StringFileInfo")) {
                wide += c;
                wide += '\0';
            }
            put(at, wide);
            break;
        }
        default:
            put(at, randomValue() + '\0');
            break;
        }
    }
    return bytes;
}

} // namespace tolvane::testing
