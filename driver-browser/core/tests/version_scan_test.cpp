// The version scan's runtime-free interface: captions as byte runs into a sink, the file
// fed in pieces, reading that stops once the captions are decided, and the memory it takes.
#include "ansi_codepage.h"
#include "random_version_file.h"
#include "reference_version_scan.h"
#include "version_file_builder.h"
#include "version_scan.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace tolvane {
namespace {

using testing::VersionFileBuilder;

// Every call the sink received, in order, with a copy of its bytes.
struct SinkRun {
    ValueLabel label;
    std::string text;
};

CaptionSink recordingSink(std::vector<SinkRun>* runs) {
    return CaptionSink{
        runs, [](void* context, ValueLabel label, const uint8_t* bytes, std::size_t size) {
            static_cast<std::vector<SinkRun>*>(context)->push_back(
                SinkRun{label, std::string(reinterpret_cast<const char*>(bytes), size)});
        }};
}

std::vector<SinkRun> runsOf(const std::vector<uint8_t>& file) {
    std::vector<SinkRun> runs;
    HeapScanMemory memory;
    scanVersionStrings(file.data(), file.size(), memory.memory(), recordingSink(&runs));
    return runs;
}

// Memory for the scan that counts what it hands out, up to a budget.
struct CountedMemory {
    std::size_t budget = SIZE_MAX;
    std::size_t taken = 0;
    std::vector<std::vector<uint8_t>> blocks;
    ScanMemory memory() {
        return ScanMemory{this, [](void* context, std::size_t size) -> uint8_t* {
                              auto* self = static_cast<CountedMemory*>(context);
                              if (size > self->budget - self->taken) {
                                  return nullptr;
                              }
                              self->taken += size;
                              self->blocks.emplace_back(size);
                              return self->blocks.back().data();
                          }};
    }
};

TEST(VersionScan, CaptionsComeInLabelOrder) {
    VersionFileBuilder file;
    file.fill(7, 0x01)
        .markerAndGap()
        .entry("FileVersion", "4.10\xA9")
        .entry("CompanyName", "Quorrel")
        .entry("FileDescription", "Display")
        .padTo(400);
    const std::vector<SinkRun> runs = runsOf(file.bytes());
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].label, ValueLabel::Description);
    EXPECT_EQ(runs[0].text, "Display");
    EXPECT_EQ(runs[1].label, ValueLabel::Vendor);
    EXPECT_EQ(runs[1].text, "Quorrel");
    EXPECT_EQ(runs[2].label, ValueLabel::Version);
    EXPECT_EQ(runs[2].text, "4.10\xA9");
}

TEST(VersionScan, DefaultsAreWholeStaticTextsAndEmptyCaptionsGetNoCall) {
    const std::vector<uint8_t> none(100, 0x41);
    std::vector<SinkRun> runs = runsOf(none);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].label, ValueLabel::Description);
    EXPECT_EQ(runs[0].text, kNoInformationText);
    EXPECT_EQ(runs[1].label, ValueLabel::Vendor);
    EXPECT_EQ(runs[1].text, "N/A");
    EXPECT_EQ(runs[2].label, ValueLabel::Version);
    EXPECT_EQ(runs[2].text, "N/A");

    // Version found, vendor and description missing: they stay empty, so no call at all.
    VersionFileBuilder onlyVersion;
    onlyVersion.markerAndGap().entry("FileVersion", "1.0").padTo(300);
    runs = runsOf(onlyVersion.bytes());
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].label, ValueLabel::Version);
    EXPECT_EQ(runs[0].text, "1.0");

    // An empty version value (two zero bytes) gives no call either.
    VersionFileBuilder emptyVersion;
    emptyVersion.markerAndGap().entry("FileVersion", "").padTo(300);
    EXPECT_TRUE(runsOf(emptyVersion.bytes()).empty());
}

TEST(VersionScan, FeedingStopsOnceTheVersionIsFound) {
    // The version's window is complete 31 + 200 bytes behind its marker: the piece that
    // completes it is the last one the scan asks for; the rest of the file is never fed.
    VersionFileBuilder file;
    file.fill(1000, 0x01).markerAndGap().entry("FileVersion", "2.5").padTo(1000 + 231);
    file.fill(5000, 0x02).markerAndGap().entry("FileVersion", "never seen").fill(300, 0);
    CountedMemory memory;
    VersionScan scan(file.size(), memory.memory());
    std::size_t fed = 0;
    while (fed < file.size() && scan.feed(file.bytes().data() + fed, 100)) {
        fed += 100;
    }
    EXPECT_EQ(fed, 1200u) << "the piece from 1200 completes the window";
    EXPECT_FALSE(scan.feed(file.bytes().data() + fed, 100));
    std::vector<SinkRun> runs;
    scan.finish(recordingSink(&runs));
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].text, "2.5");
}

TEST(VersionScan, MemoryStaysTheSameWhateverTheFileSize) {
    // 64 MiB of markers whose windows hold keys and values, without FileVersion, so that
    // the whole file is scanned: the scan asks for no memory at all.
    VersionFileBuilder block;
    block.markerAndGap().entry("CompanyName", "Vendor").entry("FileDescription", "Driver");
    block.fill(300 - block.size(), 0x20);
    std::vector<uint8_t> piece;
    for (int n = 0; n < (1 << 20) / 300; ++n) {
        piece.insert(piece.end(), block.bytes().begin(), block.bytes().end());
    }
    CountedMemory memory;
    VersionScan scan(piece.size() * 64, memory.memory());
    for (int n = 0; n < 64; ++n) {
        ASSERT_TRUE(scan.feed(piece.data(), piece.size()));
    }
    std::vector<SinkRun> runs;
    scan.finish(recordingSink(&runs));
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].text, "Driver");
    EXPECT_EQ(runs[1].text, "Vendor");
    EXPECT_EQ(runs[2].text, "N/A");
    EXPECT_EQ(memory.taken, 0u);
}

TEST(VersionScan, OnlyAValueWithoutEndTakesMemoryAsMuchAsItself) {
    // The description runs on through the windows of 300 markers (60,000 characters) with
    // no zero byte; the memory the scan takes grows with it, and without memory the
    // caption is the start of the value.
    VersionFileBuilder file;
    file.markerAndGap().text("FileDescription").zero().fill(184, 'a');
    for (int n = 0; n < 300; ++n) {
        file.markerAndGap().fill(200, static_cast<uint8_t>('b' + n % 20));
    }
    const std::vector<SinkRun> whole = runsOf(file.bytes());
    ASSERT_EQ(whole.size(), 3u);
    ASSERT_EQ(whole[0].text.size(), 184u + 300u * 200u);
    for (const std::size_t budget : {std::size_t{0}, std::size_t{1024}, std::size_t{20000}}) {
        CountedMemory memory;
        memory.budget = budget;
        std::vector<SinkRun> runs;
        scanVersionStrings(file.bytes().data(), file.size(), memory.memory(), recordingSink(&runs));
        ASSERT_EQ(runs.size(), 3u);
        EXPECT_LT(runs[0].text.size(), whole[0].text.size());
        EXPECT_GT(runs[0].text.size(), budget / 4) << budget;
        EXPECT_EQ(runs[0].text, whole[0].text.substr(0, runs[0].text.size())) << budget;
    }
    CountedMemory plenty;
    std::vector<SinkRun> runs;
    scanVersionStrings(file.bytes().data(), file.size(), plenty.memory(), recordingSink(&runs));
    EXPECT_EQ(runs[0].text, whole[0].text);
    EXPECT_LT(plenty.taken, 4 * whole[0].text.size());
}

TEST(VersionScan, UnreadableFileGetsItsReasonAndNotAvailable) {
    std::string description, vendor, version;
    struct Captions {
        std::string* text[3];
    } captions{{&description, &vendor, &version}};
    const CaptionSink sink{
        &captions, [](void* context, ValueLabel label, const uint8_t* bytes, std::size_t size) {
            auto* all = static_cast<Captions*>(context);
            const int index = label == ValueLabel::Vendor    ? 1
                              : label == ValueLabel::Version ? 2
                                                             : 0;
            all->text[index]->append(reinterpret_cast<const char*>(bytes), size);
        }};
    unreadableFileCaptions("permission denied", sink);
    EXPECT_EQ(description, "Could not read this file: permission denied");
    EXPECT_EQ(vendor, "N/A");
    EXPECT_EQ(version, "N/A");
}

} // namespace
} // namespace tolvane
