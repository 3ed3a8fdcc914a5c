// GetwinDir's reading of the Windows directory over a platform that answers like
// GetWindowsDirectoryA, and the system directory joined to it.
#include "getwin_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace tolvane {
namespace {

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
    const std::string at300(300, 'w');
    const Case cases[] = {
        {"C:\\WINDOWS", false, 261, "C:\\WINDOWS", {144}},
        {"C:\\", false, 261, "C:\\", {144}},
        {"", true, 261, "", {144}},             // a failed call: WinPath is empty
        {at143, false, 261, at143, {144}},      // fits the 144 characters with its zero byte
        {at144, false, 261, at144, {144, 261}}, // asked again into the larger buffer
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

TEST(GetwinDir, SystemDirectoryIsJoinedAsTheStringsStand) {
    char buffer[64];
    systemDirectory("C:\\WINDOWS", buffer, sizeof buffer);
#ifdef _WIN32
    EXPECT_STREQ(buffer, "C:\\WINDOWS\\system");
    systemDirectory("C:\\", buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "C:\\\\system");
#else
    EXPECT_STREQ(buffer, "C:\\WINDOWS/system");
    systemDirectory("/w/", buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "/w//system");
#endif
    EXPECT_EQ(systemDirectory("", buffer, sizeof buffer), 7u); // "\system" of the drive
}

} // namespace
} // namespace tolvane
