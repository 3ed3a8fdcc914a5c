// The File Types items and the refresh handling after the list's path or pattern changed.
#include "file_types.h"
#include "recording_main_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolvane {
namespace {

using Log = std::vector<std::string>;

TEST(FileTypes, TheFourItemsWithTheirCaptionsAndPatterns) {
    ASSERT_EQ(kFileTypeItemCount, 4u);
    const char* const expected[4][3] = {{"DRVOnly", "DRV Files only", "*.drv"},
                                        {"DLLOnly", "DLL Files Only", "*.dll"},
                                        {"vxdonly", "VXD Files", "*.vxd"},
                                        {"BothDLLDRV", "DRV, DLL, and VXD", "*.dll;*.drv;*.vxd"}};
    for (std::size_t n = 0; n < 4; ++n) {
        EXPECT_STREQ(kFileTypeItems[n].name, expected[n][0]);
        EXPECT_STREQ(kFileTypeItems[n].caption, expected[n][1]);
        EXPECT_STREQ(kFileTypeItems[n].pattern, expected[n][2]);
    }
    EXPECT_STREQ(kFileTypeItems[kInitialFileTypeItem].name, "DRVOnly");
}

TEST(FileTypes, RefreshWithEntriesSelectsTheFirstAndTouchesNoLabel) {
    for (const int count : {1, 2, 500, 32767}) {
        Log log;
        testing::RecordingMainWindow window{&log, count, 7};
        refreshDriverList(window.seam());
        EXPECT_EQ(log, (Log{"count", "select 0"})) << count << " entries";
    }
}

TEST(FileTypes, RefreshOfAnEmptyListEmptiesTheFourLabelsInOrder) {
    Log log;
    testing::RecordingMainWindow window{&log, 0, -1};
    refreshDriverList(window.seam());
    EXPECT_EQ(log, (Log{"count", "set FileNamelbl \"\"", "set Descrlbl \"\"", "set Vendorlbl \"\"",
                        "set Versionlbl \"\""}));
}

} // namespace
} // namespace tolvane
