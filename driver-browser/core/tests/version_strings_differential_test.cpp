// The fast version-string search against the literal reading of the scan, over many
// random files seeded with markers, keys and values.
#include "captions_printer.h"
#include "random_version_file.h"
#include "reference_version_scan.h"
#include "version_strings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
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
