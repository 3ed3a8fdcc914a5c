// The fast version-string search against the literal reading of the scan, over many
// random files seeded with markers, keys and values.
#include "random_version_file.h"
#include "reference_version_scan.h"
#include "test_captions.h"
#include "version_file_builder.h"
#include "version_strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace tolvane {
namespace {

using testing::VersionFileBuilder;

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

// Each file is scanned whole and fed in pieces of a random size.
void compareOn(std::mt19937& random, int files, std::size_t maxSize) {
    for (int n = 0; n < files; ++n) {
        const std::vector<uint8_t> bytes = testing::randomVersionFile(random, maxSize);
        const VersionCaptions expected = reference::scanLiterally(bytes.data(), bytes.size());
        const VersionCaptions actual = extractVersionCaptions(bytes.data(), bytes.size());
        ASSERT_EQ(actual, expected)
            << "file " << n << " of " << bytes.size() << " bytes: " << describe(bytes);
        const std::size_t piece = 1 + random() % (bytes.size() + 1);
        ASSERT_EQ(extractVersionCaptions(bytes.data(), bytes.size(), piece), expected)
            << "file " << n << " in pieces of " << piece << ": " << describe(bytes);
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

// Pieces of every size, so that every border between two pieces falls on each byte of a
// marker, of a key and of a value (first window, later window, and a value that runs from
// one window into the next), and on the bytes the scan skips behind a marker.
TEST(VersionStringsDifferential, PieceBordersInsideMarkersKeysAndValues) {
    VersionFileBuilder found;
    found.fill(90, 0x01).markerAndGap().entry("CompanyName", "Quorrel Display Works");
    found.entry("FileDescription", "Split \xA9 driver").entry("FileVersion", "4.10.1998");
    found.fill(250, 0x00);
    VersionFileBuilder runOn; // no version; the description runs on into the second window
    runOn.fill(40, 0x01).markerAndGap().fill(170, 'x').text("FileDescription").zero();
    runOn.text("abcdefghijklmn").fill(20, 0x02).markerAndGap().fill(60, 'y').zero();
    runOn.padTo(runOn.size() + 200, 0x03);
    VersionFileBuilder straddling; // "FileVersion" across the end of the first window
    straddling.markerAndGap().fill(193, 0x05).text("FileVer").fill(30, 0x01);
    straddling.markerAndGap().text("sion").zero().text("7.0").zero().padTo(520, 0x00);
    for (const VersionFileBuilder* file : {&found, &runOn, &straddling}) {
        const std::vector<uint8_t>& bytes = file->bytes();
        const VersionCaptions expected = reference::scanLiterally(bytes.data(), bytes.size());
        EXPECT_NE(expected.description, kNoInformation);
        for (std::size_t piece = 1; piece <= bytes.size(); ++piece) {
            ASSERT_EQ(extractVersionCaptions(bytes.data(), bytes.size(), piece), expected)
                << "pieces of " << piece << ": " << describe(bytes);
        }
    }
}

TEST(VersionStringsDifferential, MarkersAsCloseAsTheScanSeesThemInSmallPieces) {
    // Markers every 31 to 40 bytes keep up to seven windows incomplete at once.
    std::mt19937 random(20260006);
    for (int n = 0; n < 200; ++n) {
        VersionFileBuilder file;
        while (file.size() < 3000) {
            const std::size_t at = file.size();
            file.marker();
            if (random() % 3 == 0) {
                file.entry(random() % 2 ? "FileDescription" : "CompanyName", "v");
            }
            if (random() % 40 == 0) {
                file.entry("FileVersion", std::to_string(n));
            }
            file.padTo(at + 31 + random() % 10, static_cast<uint8_t>('a' + random() % 3));
        }
        const VersionCaptions expected = reference::scanLiterally(file.bytes().data(), file.size());
        const std::size_t piece = 1 + random() % 64;
        ASSERT_EQ(extractVersionCaptions(file.bytes().data(), file.size(), piece), expected)
            << "pieces of " << piece << ": " << describe(file.bytes());
    }
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
