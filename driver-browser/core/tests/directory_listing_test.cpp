// The driver list's rules over a directory in memory: the wildcard patterns, real names
// matched, what is left out, and the order; and "the same directory".
#include "directory_listing.h"
#include "fake_platform.h"
#include "name_order.h"
#include "path_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

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

// Plain recursive matcher to check the iterative one against.
bool referenceMatch(const std::string& pattern, std::size_t p, const std::string& name,
                    std::size_t n) {
    if (p == pattern.size()) {
        return n == name.size();
    }
    if (pattern[p] == '*') {
        for (std::size_t skip = n; skip <= name.size(); ++skip) {
            if (referenceMatch(pattern, p + 1, name, skip)) {
                return true;
            }
        }
        return false;
    }
    if (n == name.size()) {
        return false;
    }
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    return (pattern[p] == '?' || lower(pattern[p]) == lower(name[n])) &&
           referenceMatch(pattern, p + 1, name, n + 1);
}

TEST(WildcardMatch, Basics) {
    EXPECT_TRUE(wildcardMatch("*.drv", "vga.drv"));
    EXPECT_TRUE(wildcardMatch("*.drv", "VGA.DRV"));
    EXPECT_TRUE(wildcardMatch("*.DRV", "Vga.Drv"));
    EXPECT_TRUE(wildcardMatch("*.drv", ".drv"));
    EXPECT_FALSE(wildcardMatch("*.drv", "vga.drv.bak"));
    EXPECT_FALSE(wildcardMatch("*.drv", "vga.dr"));
    EXPECT_FALSE(wildcardMatch("*.drv", "vgadrv"));
    EXPECT_TRUE(wildcardMatch("*", "anything"));
    EXPECT_TRUE(wildcardMatch("*", ""));
    EXPECT_TRUE(wildcardMatch("", ""));
    EXPECT_FALSE(wildcardMatch("", "a"));
    EXPECT_TRUE(wildcardMatch("?ga.drv", "vga.drv"));
    EXPECT_FALSE(wildcardMatch("?vga.drv", "vga.drv"));
    EXPECT_TRUE(wildcardMatch("a*b*c", "aXXbYYbZc"));
    EXPECT_FALSE(wildcardMatch("a*b*c", "aXXbYYbZ"));
    EXPECT_TRUE(wildcardMatch("**.v?d", "sound.vxd"));
    // Only ASCII letters fold: bytes above 127 compare as they are.
    EXPECT_FALSE(wildcardMatch("\xC9*", "\xE9t\xE9.drv"));
}

TEST(WildcardMatch, AgreesWithARecursiveMatcherOnRandomInput) {
    std::mt19937 random(1998);
    const std::string patternAlphabet = "ab*?A.";
    const std::string nameAlphabet = "abAB.";
    for (int n = 0; n < 50000; ++n) {
        std::string pattern;
        std::string name;
        const int patternLength = static_cast<int>(random() % 8);
        const int nameLength = static_cast<int>(random() % 10);
        for (int c = 0; c < patternLength; ++c) {
            pattern.push_back(patternAlphabet[random() % patternAlphabet.size()]);
        }
        for (int c = 0; c < nameLength; ++c) {
            name.push_back(nameAlphabet[random() % nameAlphabet.size()]);
        }
        ASSERT_EQ(wildcardMatch(pattern, name), referenceMatch(pattern, 0, name, 0))
            << "pattern '" << pattern << "' name '" << name << "'";
    }
}

TEST(WildcardMatch, ManyStarsOnALongNameStayFast) {
    // A backtracking matcher would take exponential time here.
    const std::string pattern = "*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b";
    const std::string name(5000, 'a');
    EXPECT_FALSE(wildcardMatch(pattern, name));
    EXPECT_TRUE(wildcardMatch(pattern, name + "b"));
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
                                            {"Mixed.VxD"}, {"drv"},
                                            {"a.drv.old"}, {"readme.txt"}};
    EXPECT_EQ(listed(entries, "*.drv"),
              (std::vector<std::string>{"alpha.drv", "\xE9t\xE9.drv", "Sound.DRV"}));
    EXPECT_EQ(listed(entries, "*.dll;*.drv;*.vxd"),
              (std::vector<std::string>{"alpha.drv", "b.dll", "\xE9t\xE9.drv", "Mixed.VxD",
                                        "Sound.DRV"}));
    EXPECT_EQ(listed(entries, ";;*.dll;"), (std::vector<std::string>{"b.dll"}));
    EXPECT_EQ(listed(entries, "*.drv;a*;*.DRV;"), // a name matching twice is listed once
              (std::vector<std::string>{"a.drv.old", "abc.drvx", "alpha.drv", "\xE9t\xE9.drv",
                                        "Sound.DRV"}));
    EXPECT_TRUE(listed(entries, "*.exe").empty());
    EXPECT_TRUE(listed(entries, "").empty());
}

TEST(DirectoryListing, AnUnreadableDirectoryListsNothing) {
    FakeDirectories dirs;
    int added = 0;
    const NameSink sink{&added, [](void* self, const char*) { ++*static_cast<int*>(self); }};
    EXPECT_FALSE(listDriverFiles(dirs.seam(), "gone", "*.drv", sink));
    EXPECT_EQ(added, 0);
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
    const std::string full = "C:\\\\system";
    for (std::size_t capacity = 0; capacity <= full.size() + 2; ++capacity) {
        std::vector<char> cut(capacity + 1, '#');
        EXPECT_EQ(joinPath("C:\\", '\\', "system", cut.data(), capacity), full.size());
        EXPECT_EQ(cut[capacity], '#') << "written past capacity " << capacity;
        if (capacity > 0) {
            EXPECT_EQ(std::string(cut.data()), full.substr(0, capacity - 1));
        }
    }
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
