// Wildcard matching and the listing of a directory's driver files.
#include "driver_files.h"
#include "temporary_directory.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

namespace tolvane {
namespace {

using testing::TemporaryDirectory;
using Names = std::vector<std::string>;

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

class DriverDirectory : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.valid()); }
    void touch(const std::string& name) { dir.write(name, {1, 2, 3}); }
    TemporaryDirectory dir;
};

TEST_F(DriverDirectory, ListsMatchingFilesSortedIgnoringCase) {
    for (const char* name : {"VGA.DRV", "mouse.drv", "Keyboard.Drv", "sound.dll", "comm.vxd",
                             "readme.txt", "drv", "a.drv.old"}) {
        touch(name);
    }
    EXPECT_EQ(listDriverFiles(dir.path(), "*.drv"),
              (Names{"Keyboard.Drv", "mouse.drv", "VGA.DRV"}));
    EXPECT_EQ(listDriverFiles(dir.path(), "*.dll"), (Names{"sound.dll"}));
    EXPECT_EQ(listDriverFiles(dir.path(), "*.vxd"), (Names{"comm.vxd"}));
    EXPECT_EQ(listDriverFiles(dir.path(), "*.dll;*.drv;*.vxd"),
              (Names{"comm.vxd", "Keyboard.Drv", "mouse.drv", "sound.dll", "VGA.DRV"}));
    EXPECT_EQ(listDriverFiles(dir.path(), "*.exe"), Names{});
}

TEST_F(DriverDirectory, OverlappingPatternsListAFileOnce) {
    touch("a.drv");
    touch("b.dll");
    EXPECT_EQ(listDriverFiles(dir.path(), "*.drv;a*;*.DRV;"), (Names{"a.drv"}));
    EXPECT_EQ(listDriverFiles(dir.path(), ";;"), Names{});
}

TEST_F(DriverDirectory, NamesDifferingOnlyInCaseAreOrderedByBytes) {
    for (const char* name : {"b.drv", "B.drv", "a.DRV", "A.drv", "ab.drv", "a_.drv"}) {
        touch(name);
    }
    // '_' (0x5F) sorts after '.' (0x2E) and before 'b' (0x62).
    EXPECT_EQ(listDriverFiles(dir.path(), "*.drv"),
              (Names{"A.drv", "a.DRV", "a_.drv", "ab.drv", "B.drv", "b.drv"}));
}

TEST_F(DriverDirectory, LeavesOutHiddenFilesAndDirectories) {
    touch(".hidden.drv");
    touch("shown.drv");
    ASSERT_EQ(::mkdir(dir.file("folder.drv").c_str(), 0755), 0);
    EXPECT_EQ(listDriverFiles(dir.path(), "*.drv"), (Names{"shown.drv"}));
    EXPECT_EQ(listDriverFiles(dir.path(), "*"), (Names{"shown.drv"}));
}

TEST_F(DriverDirectory, SymbolicLinksCountByWhatTheyPointTo) {
    touch("real.drv");
    ASSERT_EQ(::mkdir(dir.file("sub").c_str(), 0755), 0);
    ASSERT_EQ(::symlink(dir.file("real.drv").c_str(), dir.file("tofile.drv").c_str()), 0);
    ASSERT_EQ(::symlink(dir.file("sub").c_str(), dir.file("todir.drv").c_str()), 0);
    ASSERT_EQ(::symlink(dir.file("nowhere").c_str(), dir.file("dangling.drv").c_str()), 0);
    EXPECT_EQ(listDriverFiles(dir.path(), "*.drv"), (Names{"real.drv", "tofile.drv"}));
}

TEST_F(DriverDirectory, SpecialFilesAreLeftOut) {
    touch("plain.drv");
    ASSERT_EQ(::mkfifo(dir.file("pipe.drv").c_str(), 0600), 0);
    EXPECT_EQ(listDriverFiles(dir.path(), "*.drv"), (Names{"plain.drv"}));
}

TEST_F(DriverDirectory, MissingOrUnreadableDirectoryGivesAnEmptyList) {
    EXPECT_EQ(listDriverFiles(dir.file("missing"), "*.drv"), Names{});
    touch("file.drv");
    EXPECT_EQ(listDriverFiles(dir.file("file.drv"), "*.drv"), Names{});
    if (::geteuid() != 0) {
        ASSERT_EQ(::mkdir(dir.file("closed").c_str(), 0), 0);
        EXPECT_EQ(listDriverFiles(dir.file("closed"), "*"), Names{});
    }
}

TEST_F(DriverDirectory, TrailingSeparatorInTheDirectoryStillLists) {
    touch("x.drv");
    EXPECT_EQ(listDriverFiles(dir.path() + "/", "*.drv"), (Names{"x.drv"}));
}

} // namespace
} // namespace tolvane
