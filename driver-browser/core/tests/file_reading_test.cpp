// Reading a driver file over the file seam, on files in memory: the chunked search for the
// first marker, every kind of failure and its reason, and ShowDriverInfo's sequence.
#include "ansi_codepage.h"
#include "driver_info.h"
#include "fake_platform.h"
#include "marker_search.h"
#include "path_text.h"
#include "random_version_file.h"
#include "recording_main_window.h"
#include "test_captions.h"
#include "version_file_builder.h"
#include "version_strings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace tolvane {
namespace {

using testing::FakeFile;
using testing::VersionFileBuilder;

VersionCaptions read(FakeFile& file) {
    VersionCaptions captions;
    readVersionStrings(file.seam(), "x.drv", versionCaptionsSink(captions));
    return captions;
}

TEST(FileReading, EveryKindOfFailureHasItsOwnReasonInPlainWords) {
    std::set<std::string> reasons;
    for (int kind = 1; kind <= static_cast<int>(FileFailure::Other); ++kind) {
        const std::string reason = fileFailureReason(static_cast<FileFailure>(kind));
        EXPECT_FALSE(reason.empty()) << kind;
        EXPECT_TRUE(reasons.insert(reason).second) << reason;
        FakeFile file;
        file.openFailure = static_cast<FileFailure>(kind);
        EXPECT_EQ(read(file), unreadable(reason));
    }
    EXPECT_STREQ(fileFailureReason(FileFailure::NotFound), "it no longer exists");
    EXPECT_STREQ(fileFailureReason(FileFailure::InUse), "another program is using it");
}

TEST(FileReading, TheMarkerIsFoundAroundEveryChunkBorder) {
    const std::size_t border = kReadChunkSize - (kMarkerSize - 1);
    for (const std::size_t at :
         {std::size_t{0}, kReadChunkSize - 20, kReadChunkSize - 14, kReadChunkSize - 7,
          kReadChunkSize, border + kReadChunkSize - 14, 3 * kReadChunkSize}) {
        FakeFile file;
        VersionFileBuilder builder;
        builder.fill(at, 0x90).markerAndGap().entry("FileVersion", std::to_string(at)).fill(50, 0);
        file.bytes = builder.bytes();
        const std::string version = std::to_string(at);
        EXPECT_EQ(read(file).version, std::u16string(version.begin(), version.end())) << at;
    }
}

TEST(FileReading, FailuresWhileReadingGiveTheirReason) {
    // Without a version the file is read to its end.
    VersionFileBuilder builder;
    builder.fill(kReadChunkSize + 100, 0x90).markerAndGap().entry("FileDescription", "1");
    builder.fill(2 * kReadChunkSize, 0); // the marker's chunk is not the last
    struct Case {
        std::size_t failReadsFrom;
        uint64_t reportedSize;
        std::size_t memoryBudget;
        FileFailure expected;
    };
    const std::size_t size = builder.bytes().size();
    const Case cases[] = {
        {10, UINT64_MAX, SIZE_MAX, FileFailure::InputOutput},                  // the first chunk
        {kReadChunkSize + 50, UINT64_MAX, SIZE_MAX, FileFailure::InputOutput}, // the marker's
        {size - 5, UINT64_MAX, SIZE_MAX, FileFailure::InputOutput},            // the last
        {SIZE_MAX, size + 10, SIZE_MAX, FileFailure::Shrunk},                  // shorter than said
        {SIZE_MAX, UINT64_MAX, 100, FileFailure::OutOfMemory},                 // no chunk buffer
    };
    for (const Case& c : cases) {
        FakeFile file;
        file.bytes = builder.bytes();
        file.failReadsFrom = c.failReadsFrom;
        file.reportedSize = c.reportedSize;
        file.memoryBudget = c.memoryBudget;
        EXPECT_EQ(read(file), unreadable(fileFailureReason(c.expected))) << c.failReadsFrom;
    }
    FakeFile empty;
    EXPECT_EQ(read(empty), (VersionCaptions{kNoInformation, kNotAvailable, kNotAvailable}));
}

TEST(ShowDriverInfo, NameFirstThenTheFileAtTheJoinedPathThenTheThreeCaptions) {
    std::vector<std::string> log;
    testing::RecordingMainWindow window{&log, 2, 1};
    FakeFile file;
    VersionFileBuilder builder;
    builder.markerAndGap().entry("CompanyName", "Acme").entry("FileVersion", "3.1").fill(9, 0);
    file.bytes = builder.bytes();
    showDriverInfo(window.seam(), file.seam());
    EXPECT_EQ(file.openedPath, std::string("C:\\WIN\\SYSTEM") + kPathSeparator + "entry1.drv");
    EXPECT_EQ(log, (std::vector<std::string>{"name 1", "set Descrlbl \"\"", "set Descrlbl \"\"",
                                             "set Vendorlbl \"Acme\"", "set Versionlbl \"3.1\""}));

    log.clear();
    FakeFile gone;
    gone.openFailure = FileFailure::NotFound;
    showDriverInfo(window.seam(), gone.seam());
    EXPECT_EQ(log.at(2), "set Descrlbl \"Could not read this file: it no longer exists\"");

    log.clear();
    testing::RecordingMainWindow none{&log, 2, -1};
    FakeFile untouched;
    showDriverInfo(none.seam(), untouched.seam());
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(untouched.openedPath.empty());
}

TEST(ShowDriverInfo, ItsCollectedCaptionsAgreeWithTheScanOnRandomFiles) {
    std::mt19937 random(15);
    std::size_t longest = 0;
    std::vector<std::string> log;
    testing::RecordingMainWindow window{&log, 1, 0};
    for (int n = 0; n < 3000; ++n) {
        FakeFile file;
        file.bytes = testing::randomVersionFile(random, 1500);
        log.clear();
        showDriverInfo(window.seam(), file.seam());
        ASSERT_EQ(log.size(), 5u);
        std::u16string shown[3];
        for (int i = 0; i < 3; ++i) {
            const std::string& line = log[2 + i];
            const std::string text =
                line.substr(line.find('"') + 1, line.size() - line.find('"') - 2);
            shown[i] = ansiToString(reinterpret_cast<const uint8_t*>(text.data()), text.size());
        }
        const VersionCaptions expected =
            extractVersionCaptions(file.bytes.data(), file.bytes.size());
        ASSERT_EQ((VersionCaptions{shown[0], shown[1], shown[2]}), expected) << n;
        longest = std::max({longest, expected.description.size(), expected.vendor.size(),
                            expected.version.size()});
    }
    EXPECT_GT(longest, 256u) << "no caption made the collector grow";
}

TEST(CaptionCollector, WhenMemoryRunsOutACaptionKeepsItsStart) {
    // A description handed over in three runs: 184 a, 200 b, then 30 c; the last would fit
    // where the second did not, and must not be taken behind the first.
    const std::string runs[] = {std::string(184, 'a'), std::string(200, 'b'), std::string(30, 'c')};
    const std::string whole = runs[0] + runs[1] + runs[2];
    for (const std::size_t budget :
         {std::size_t{0}, std::size_t{256}, std::size_t{700}, SIZE_MAX}) {
        FakeFile memory;
        memory.memoryBudget = budget;
        const FileSeam seam = memory.seam();
        CaptionCollector collector(seam);
        const CaptionSink sink = collector.sink();
        for (const std::string& run : runs) {
            sink.append(sink.context, ValueLabel::Description,
                        reinterpret_cast<const uint8_t*>(run.data()), run.size());
        }
        const std::string kept = collector.text(ValueLabel::Description);
        EXPECT_EQ(kept, whole.substr(0, kept.size())) << budget;
        EXPECT_EQ(kept.size(), budget == SIZE_MAX ? whole.size() : budget == 0 ? 0 : 184) << budget;
    }
}

} // namespace
} // namespace tolvane
