// The main window's own handlers: GetwinDir's reading of the Windows directory over a
// platform that answers like GetWindowsDirectoryA, the load and the Change Directory round
// trip.
#include "main_window.h"
#include "path_text.h"
#include "recording_main_window.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace tolvane {
namespace {

using Log = std::vector<std::string>;

// Answers with dir (or fails with 0 when failing), and records the buffer sizes asked with.
struct Platform {
    std::string dir;
    bool failing = false;
    std::vector<unsigned> sizes;
    WindowsDirectorySeam seam() {
        return WindowsDirectorySeam{this, [](void* self, char* buffer, unsigned size) -> unsigned {
                                        auto* p = static_cast<Platform*>(self);
                                        p->sizes.push_back(size);
                                        if (p->failing) {
                                            return 0;
                                        }
                                        if (p->dir.size() >= size) {
                                            return static_cast<unsigned>(p->dir.size() + 1);
                                        }
                                        std::memcpy(buffer, p->dir.c_str(), p->dir.size() + 1);
                                        return static_cast<unsigned>(p->dir.size());
                                    }};
    }
};

TEST(GetwinDir, TheWindowsDirectoryAsReportedAndTheFailurePolicy) {
    struct Case {
        std::string dir;
        bool failing;
        std::size_t capacity;
        std::string winPath;
        std::vector<unsigned> sizes;
    };
    const std::string at143(143, 'w');
    const std::string at144(144, 'w');
    const std::string at260(260, 'w');
    const std::string at300(300, 'w');
    const Case cases[] = {
        {"C:\\WINDOWS", false, 261, "C:\\WINDOWS", {144}},
        {"C:\\", false, 261, "C:\\", {144}},
        {"", true, 261, "", {144}},             // a failed call: WinPath is empty
        {at143, false, 261, at143, {144}},      // fits the 144 characters with its zero byte
        {at144, false, 261, at144, {144, 261}}, // asked again into the larger buffer
        {at260, false, 261, at260, {144, 261}}, // which it fills with its zero byte
        {at300, false, 261, "", {144}},         // larger than even that: empty
    };
    for (const Case& c : cases) {
        Platform platform{c.dir, c.failing, {}};
        std::vector<char> buffer(c.capacity, 'x');
        const std::size_t length = readWindowsDirectory(platform.seam(), buffer.data(), c.capacity);
        EXPECT_EQ(std::string(buffer.data()), c.winPath) << c.dir.size();
        EXPECT_EQ(length, c.winPath.size());
        EXPECT_EQ(platform.sizes, c.sizes) << c.dir.size();
    }
}

TEST(GetwinDir, WinPathThenTheSystemDirectoryJoinedAsTheStringsStand) {
    const std::string sep(1, kPathSeparator);
    const struct {
        std::string reported;
        std::string winPath;
    } cases[] = {
        {"C:\\WINDOWS", "C:\\WINDOWS"},
        {"C:" + sep, "C:" + sep}, // a drive root: a doubled separator
        {std::string(4095, 'w'), std::string(4095, 'w')},
        {std::string(4096, 'w'), ""}, // too long: "\system" of the current drive
    };
    for (const auto& c : cases) {
        Log log;
        testing::RecordingMainWindow window{&log};
        window.windowsDirectory = c.reported;
        getwinDir(window.seam());
        const std::string system = c.winPath + sep + "system";
        EXPECT_EQ(log, (Log{"set WinPath \"" + c.winPath + "\"", "chdir " + system,
                            "set ListPath \"" + system + "\""}))
            << c.reported.size();
    }
}

TEST(MainWindow, LoadShowsTheSplashThenGetwinDirThenSelectsTheFirstEntry) {
    for (const int count : {0, 3}) {
        Log log;
        testing::RecordingMainWindow window{&log, count};
        loadMainWindow(window.seam());
        const std::string system = std::string("C:\\WINDOWS") + kPathSeparator + "system";
        Log expected = {"splash", "set WinPath \"C:\\WINDOWS\"", "chdir " + system,
                        "set ListPath \"" + system + "\"", "count"};
        if (count > 0) {
            expected.push_back("select 0");
        }
        EXPECT_EQ(log, expected) << count << " entries";
    }
}

TEST(MainWindow, ChangeDirectoryHandsTheListsPathThroughNewpath) {
    // OK with a directory chosen, OK without moving (the same path back), and Cancel (newpath
    // keeps the list's path).
    for (const std::string chosen : {"D:\\DATA", ""}) {
        Log log;
        testing::RecordingMainWindow window{&log};
        window.chosen = chosen;
        changeDirectory(window.seam());
        const std::string back = chosen.empty() ? "C:\\WIN\\SYSTEM" : chosen;
        EXPECT_EQ(log, (Log{"set newpath \"C:\\WIN\\SYSTEM\"", "Select Path",
                            "set ListPath \"" + back + "\""}));
    }
    Log log;
    testing::RecordingMainWindow window{&log};
    window.memoryRunsOut = true;
    changeDirectory(window.seam());
    getwinDir(window.seam());
    EXPECT_TRUE(log.empty()) << "without memory nothing is opened or set";
}

} // namespace
} // namespace tolvane
