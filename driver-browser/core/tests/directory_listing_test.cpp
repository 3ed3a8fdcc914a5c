// The driver list's rules over a directory in memory: real names matched, what is left out,
// and the order; and "the same directory".
#include "directory_listing.h"
#include "fake_platform.h"
#include "path_text.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tolvane {
namespace {

using testing::FakeDirectories;
using testing::FakeEntry;

std::vector<std::string> listed(const std::vector<FakeEntry>& entries, const char* patterns) {
    FakeDirectories dirs;
    dirs.table["D"] = entries;
    std::vector<std::string> names;
    const NameSink sink{&names, [](void* self, const char* name) {
                            static_cast<std::vector<std::string>*>(self)->emplace_back(name);
                        }};
    EXPECT_TRUE(listDriverFiles(dirs.seam(), "D", patterns, sink));
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return compareNames(a.c_str(), b.c_str()) < 0;
    });
    return names;
}

TEST(DirectoryListing, MatchesRealNamesOnlyAndLeavesOutWhatTheListDoesNotShow) {
    FakeEntry directory{"folder.drv", false, true};
    FakeEntry hidden{"hidden.drv"};
    hidden.hidden = true;
    FakeEntry system{"system.drv"};
    system.system = true;
    FakeEntry device{"pipe.drv", false, false};
    // Whose 8.3 short names would be ABC~1.DRV and VERYLO~1.DRV: the real names count.
    const std::vector<FakeEntry> entries = {{"abc.drvx"},  {"verylongname.drv_bak"},
                                            {"Sound.DRV"}, {"alpha.drv"},
                                            {"b.dll"},     {"\xE9t\xE9.drv"},
                                            directory,     hidden,
                                            system,        device,
                                            {"Mixed.VxD"}};
    EXPECT_EQ(listed(entries, "*.drv"),
              (std::vector<std::string>{"alpha.drv", "Sound.DRV", "\xE9t\xE9.drv"}));
    EXPECT_EQ(listed(entries, "*.dll;*.drv;*.vxd"),
              (std::vector<std::string>{"alpha.drv", "b.dll", "Mixed.VxD", "Sound.DRV",
                                        "\xE9t\xE9.drv"}));
    EXPECT_EQ(listed(entries, ";;*.dll;"), (std::vector<std::string>{"b.dll"}));
    EXPECT_TRUE(listed(entries, "").empty());
}

TEST(DirectoryListing, AnUnreadableDirectoryListsNothing) {
    FakeDirectories dirs;
    int added = 0;
    const NameSink sink{&added, [](void* self, const char*) { ++*static_cast<int*>(self); }};
    EXPECT_FALSE(listDriverFiles(dirs.seam(), "gone", "*.drv", sink));
    EXPECT_EQ(added, 0);
}

TEST(DirectoryListing, NamesAreOrderedIgnoringCaseThenByBytes) {
    const char* ordered[] = {"", "_", "a", "A.drv", "a.drv", "B", "b", "ba", "\xE9"};
    for (std::size_t i = 0; i < std::size(ordered); ++i) {
        for (std::size_t j = 0; j < std::size(ordered); ++j) {
            const int order = compareNames(ordered[i], ordered[j]);
            EXPECT_EQ(order < 0, i < j) << ordered[i] << " / " << ordered[j];
            EXPECT_EQ(order == 0, i == j) << ordered[i] << " / " << ordered[j];
        }
    }
}

TEST(DirectoryListing, SameDirectoryIsTheSameTextOrWhatThePlatformSays) {
    struct Case {
        const char* current;
        const char* dir;
        bool platformSays;
        bool same;
        bool asked;
    };
    const Case cases[] = {
        {"C:\\W", "C:\\W", false, true, false}, {"", "", false, true, false},
        {"", "C:\\W", true, false, false},      {"C:\\W", "", true, false, false},
        {"C:\\W", "c:\\w\\", true, true, true}, {"C:\\W", "C:\\X", false, false, true}};
    for (const Case& c : cases) {
        std::pair<bool, int> platform{c.platformSays, 0};
        const DirectoryIdentitySeam identity{&platform, [](void* self, const char*, const char*) {
                                                 auto* p = static_cast<std::pair<bool, int>*>(self);
                                                 ++p->second;
                                                 return p->first;
                                             }};
        EXPECT_EQ(isSameDirectory(c.current, c.dir, identity), c.same) << c.current << c.dir;
        EXPECT_EQ(platform.second == 1, c.asked) << c.current << c.dir;
    }
}

TEST(PathText, JoinsAsTheStringsStandAndReportsTheFullLength) {
    char buffer[8];
    EXPECT_EQ(joinPath("C:\\", '\\', "system", buffer, sizeof buffer), 10u);
    EXPECT_STREQ(buffer, "C:\\\\sys"); // cut to the buffer, the separator doubled
    EXPECT_EQ(joinPath("", '/', "a", buffer, sizeof buffer), 2u);
    EXPECT_STREQ(buffer, "/a");
    EXPECT_EQ(joinChildPath("C:\\", '\\', "a", buffer, sizeof buffer), 4u);
    EXPECT_STREQ(buffer, "C:\\a");
    EXPECT_EQ(joinChildPath("/x", '/', "a", buffer, sizeof buffer), 4u);
    EXPECT_STREQ(buffer, "/x/a");
    EXPECT_EQ(joinPath("abc", '/', "d", nullptr, 0), 5u);
}

} // namespace
} // namespace tolvane
