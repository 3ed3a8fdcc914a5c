// The fast version-string search against the literal reading of the scan, over many
// random files seeded with markers, keys and values.
#include "captions_printer.h"
#include "random_version_file.h"
#include "reference_version_scan.h"
#include "version_strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace tolvane {
namespace {

std::string describe(const std::vector<uint8_t>& bytes) {
    std::string text;
    for (const uint8_t byte : bytes) {
        if (byte >= 0x20 && byte < 0x7F) {
            text.push_back(static_cast<char>(byte));
        } else {
            static const char digits[] = "0123456789abcdef";
            text += "\\x";
            text.push_back(digits[byte >> 4]);
            text.push_back(digits[byte & 15]);
        }
    }
    return text;
}

void compareOn(std::mt19937& random, int files, std::size_t maxSize) {
    for (int n = 0; n < files; ++n) {
        const std::vector<uint8_t> bytes = testing::randomVersionFile(random, maxSize);
        const VersionCaptions expected = reference::scanLiterally(bytes.data(), bytes.size());
        const VersionCaptions actual = extractVersionCaptions(bytes.data(), bytes.size());
        ASSERT_EQ(actual, expected)
            << "file " << n << " of " << bytes.size() << " bytes: " << describe(bytes);
    }
}

TEST(VersionStringsDifferential, SmallFiles) {
    std::mt19937 random(20260001);
    compareOn(random, 20000, 700);
}

TEST(VersionStringsDifferential, FilesWithManyMarkers) {
    std::mt19937 random(20260002);
    compareOn(random, 600, 12000);
}

TEST(VersionStringsDifferential, MarkerAtEveryOffsetOfEveryShortFile) {
    // The marker search looks at blocks of positions; a marker must be found at any
    // offset, however the file's length falls, also among near misses (an 'S' with an 'o'
    // 13 bytes behind it, or a marker with one byte wrong).
    const std::string marker = std::string("StringFileInfo") + '\0';
    const std::string keys = std::string("FileVersion") + '\0' + "v" + '\0';
    std::mt19937 random(20260004);
    for (std::size_t size = 0; size <= 300; ++size) {
        for (std::size_t at = 0; at + marker.size() <= size; ++at) {
            std::vector<uint8_t> bytes(size);
            for (std::size_t n = 0; n < size; ++n) {
                bytes[n] = static_cast<uint8_t>("So\0xS"[random() % 5]);
            }
            if (size > 40 && random() % 2 == 0) {
                std::string nearMiss = marker;
                nearMiss[random() % 14] = 'x';
                const std::size_t missAt = random() % (size - 15);
                std::copy(nearMiss.begin(), nearMiss.end(),
                          bytes.begin() + static_cast<long>(missAt));
            }
            std::copy(marker.begin(), marker.end(), bytes.begin() + static_cast<long>(at));
            for (std::size_t n = 0; n < keys.size() && at + 31 + n < size; ++n) {
                bytes[at + 31 + n] = static_cast<uint8_t>(keys[n]);
            }
            const VersionCaptions expected = reference::scanLiterally(bytes.data(), bytes.size());
            ASSERT_EQ(extractVersionCaptions(bytes.data(), bytes.size()), expected)
                << "size " << size << ", marker at " << at << ": " << describe(bytes);
        }
    }
}

// The file reader reads up to the first marker in chunks and hands over only the rest of
// the file; this holds only because the scan gives the same captions for the file from its
// first marker on as for the whole file.
TEST(VersionStringsDifferential, CaptionsDependOnlyOnTheFileFromItsFirstMarker) {
    std::mt19937 random(20260005);
    const std::string marker = std::string("StringFileInfo") + '\0';
    int withMarker = 0;
    for (int n = 0; n < 5000; ++n) {
        const std::vector<uint8_t> bytes = testing::randomVersionFile(random, 900);
        const auto first = std::search(bytes.begin(), bytes.end(), marker.begin(), marker.end());
        if (first == bytes.end()) {
            continue;
        }
        ++withMarker;
        const std::vector<uint8_t> rest(first, bytes.end());
        ASSERT_EQ(reference::scanLiterally(rest.data(), rest.size()),
                  reference::scanLiterally(bytes.data(), bytes.size()))
            << describe(bytes);
    }
    EXPECT_GT(withMarker, 1000);
}

TEST(VersionStringsDifferential, TheGeneratorReachesEveryOutcome) {
    // Guards the generator itself: the random files must produce found versions, the
    // defaults and partial results alike, or the comparison above would prove little.
    std::mt19937 random(20260003);
    int versionFound = 0;
    int allDefaults = 0;
    int vendorFound = 0;
    int emptyCaption = 0;
    for (int n = 0; n < 4000; ++n) {
        const std::vector<uint8_t> bytes = testing::randomVersionFile(random, 700);
        const VersionCaptions c = reference::scanLiterally(bytes.data(), bytes.size());
        versionFound += c.version != kNotAvailable;
        allDefaults += c.description == kNoInformation;
        vendorFound += c.vendor != kNotAvailable && !c.vendor.empty();
        emptyCaption += c.vendor.empty() || c.description.empty() || c.version.empty();
    }
    EXPECT_GT(versionFound, 400);
    EXPECT_GT(allDefaults, 400);
    EXPECT_GT(vendorFound, 200);
    EXPECT_GT(emptyCaption, 100);
}

} // namespace
} // namespace tolvane
