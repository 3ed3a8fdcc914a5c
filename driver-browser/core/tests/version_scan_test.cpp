// The version scan's runtime-free interface: captions as byte runs into a sink, and into
// caller-owned buffers with a size query.
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

// Every call the sink received, in order.
struct SinkRun {
    ValueLabel label;
    const uint8_t* bytes;
    std::size_t size;
};

std::vector<SinkRun> runsOf(const std::vector<uint8_t>& file) {
    std::vector<SinkRun> runs;
    const CaptionSink sink{
        &runs, [](void* context, ValueLabel label, const uint8_t* bytes, std::size_t size) {
            static_cast<std::vector<SinkRun>*>(context)->push_back(SinkRun{label, bytes, size});
        }};
    scanVersionStrings(file.data(), file.size(), sink);
    return runs;
}

std::string text(const SinkRun& run) {
    return std::string(reinterpret_cast<const char*>(run.bytes), run.size);
}

bool insideFile(const SinkRun& run, const std::vector<uint8_t>& file) {
    return run.bytes >= file.data() && run.bytes + run.size <= file.data() + file.size();
}

TEST(VersionScan, CaptionsComeInLabelOrderAsRunsOfTheFilesBytes) {
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
    EXPECT_EQ(text(runs[0]), "Display");
    EXPECT_EQ(runs[1].label, ValueLabel::Vendor);
    EXPECT_EQ(text(runs[1]), "Quorrel");
    EXPECT_EQ(runs[2].label, ValueLabel::Version);
    EXPECT_EQ(text(runs[2]), "4.10\xA9");
    for (const SinkRun& run : runs) {
        EXPECT_TRUE(insideFile(run, file.bytes())) << "a copy instead of the file's bytes";
    }
    // The version's run is exactly where the value stands: 7 + 15 + 16 + 12 bytes in.
    EXPECT_EQ(runs[2].bytes, file.bytes().data() + 7 + 31 + 12);
}

TEST(VersionScan, DefaultsAreWholeStaticTextsAndEmptyCaptionsGetNoCall) {
    const std::vector<uint8_t> none(100, 0x41);
    std::vector<SinkRun> runs = runsOf(none);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].label, ValueLabel::Description);
    EXPECT_EQ(text(runs[0]), kNoInformationText);
    EXPECT_EQ(runs[1].label, ValueLabel::Vendor);
    EXPECT_EQ(text(runs[1]), "N/A");
    EXPECT_EQ(runs[2].label, ValueLabel::Version);
    EXPECT_EQ(text(runs[2]), "N/A");

    // Version found, vendor and description missing: they stay empty, so no call at all.
    VersionFileBuilder onlyVersion;
    onlyVersion.markerAndGap().entry("FileVersion", "1.0").padTo(300);
    runs = runsOf(onlyVersion.bytes());
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].label, ValueLabel::Version);
    EXPECT_EQ(text(runs[0]), "1.0");

    // An empty version value (two zero bytes) gives no call either.
    VersionFileBuilder emptyVersion;
    emptyVersion.markerAndGap().entry("FileVersion", "").padTo(300);
    EXPECT_TRUE(runsOf(emptyVersion.bytes()).empty());
}

TEST(VersionScan, ValuePastTheFirstWindowIsGivenAsTheSlicesOfEachWindow) {
    // The description starts 5 bytes before the end of the first window and runs on
    // through the whole second window and 3 bytes into the third, whose windows lie
    // elsewhere in the file; each piece is one run, pointing at the file's bytes.
    VersionFileBuilder file;
    file.markerAndGap().fill(200 - 16 - 5, 0x01).text("FileDescription").zero().text("ABCDE");
    ASSERT_EQ(file.size(), 31u + 200u);
    file.fill(50, 0x01).markerAndGap().fill(200, 'x');
    const std::size_t third = file.size();
    file.markerAndGap().text("yyy").zero().padTo(third + 31 + 200).fill(40, 0x01);
    const std::vector<SinkRun> runs = runsOf(file.bytes());
    ASSERT_EQ(runs.size(), 5u); // three for the description, the two defaults
    EXPECT_EQ(text(runs[0]), "ABCDE");
    EXPECT_EQ(runs[0].bytes, file.bytes().data() + 31 + 195);
    EXPECT_EQ(text(runs[1]), std::string(200, 'x'));
    EXPECT_EQ(runs[1].bytes, file.bytes().data() + 231 + 50 + 31);
    EXPECT_EQ(text(runs[2]), "yyy");
    EXPECT_EQ(runs[2].bytes, file.bytes().data() + third + 31);
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(runs[n].label, ValueLabel::Description);
        EXPECT_TRUE(insideFile(runs[n], file.bytes()));
    }
    EXPECT_EQ(text(runs[3]), "N/A");
    EXPECT_EQ(text(runs[4]), "N/A");
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
