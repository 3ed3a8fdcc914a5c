// Select Path's rules: the open branch, the path behind an entry, which drive holds a path,
// and the load and a change of drive over two lists in memory.
#include "fake_platform.h"
#include "path_text.h"
#include "select_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace tolvane {
namespace {

using testing::FakeDirectories;
using testing::FakeEntry;

std::string behind(const char* open, char separator, int index, const char* name = "") {
    char buffer[64];
    pathBehindEntry(open, separator, index, name, buffer, sizeof buffer);
    return buffer;
}

TEST(SelectPath, BranchEntriesAndThePathBehindEach) {
    struct Case {
        const char* path;
        char separator;
        std::vector<std::string> names, paths;
    };
    const Case cases[] = {
        {"C:\\", '\\', {"C:\\"}, {"C:\\"}},
        {"C:\\WIN\\SYS", '\\', {"C:\\", "WIN", "SYS"}, {"C:\\", "C:\\WIN", "C:\\WIN\\SYS"}},
        {"/", '/', {"/"}, {"/"}},
        {"/a//b/", '/', {"/", "a", "b"}, {"/", "/a", "/a//b"}},
    };
    for (const Case& c : cases) {
        const int length = branchLength(c.path, c.separator);
        ASSERT_EQ(length, static_cast<int>(c.names.size())) << c.path;
        for (int i = 0; i < length; ++i) {
            const BranchEntry entry = branchEntry(c.path, c.separator, i);
            EXPECT_EQ(std::string(entry.name, entry.nameLength), c.names[i]) << c.path;
            EXPECT_EQ(behind(c.path, c.separator, i), c.paths[i]) << c.path;
        }
        // The subdirectories come after the branch, joined without doubling a root's separator.
        const std::string child = behind(c.path, c.separator, length, "new");
        EXPECT_EQ(child.substr(child.size() - 4), std::string(1, c.separator) + "new") << c.path;
        EXPECT_EQ(child.find(std::string(2, c.separator) + "new"), std::string::npos) << c.path;
    }
}

TEST(SelectPath, ADriveHoldsWholeComponentsOnly) {
    struct Case {
        const char* drive;
        const char* path;
        char separator;
        bool ignoreCase, holds;
    };
    const Case cases[] = {
        {"c:", "C:\\WIN", '\\', true, true},       {"c:", "C:", '\\', true, true},
        {"c:", "C:\\WIN", '\\', false, false},     {"c:", "d:\\", '\\', true, false},
        {"/", "/home", '/', false, true},          {"/home", "/home/u", '/', false, true},
        {"/home", "/homework", '/', false, false}, {"/mnt/", "/mnt/x", '/', false, true}};
    for (const Case& c : cases)
        EXPECT_EQ(driveHolds(c.drive, c.path, c.separator, c.ignoreCase), c.holds)
            << c.drive << " " << c.path;
}

// The dialog's two lists in memory, over drives "/" and "/d", and the directories given.
struct Dialog {
    FakeDirectories dirs;
    std::vector<std::string> drives = {"/", "/d"};
    std::string current = "/w";
    int shown = 0;
    std::vector<std::string> entries;
    std::string open;
    std::vector<std::string> told;

    SelectPathSeam seam() {
        SelectPathSeam s{};
        s.context = this;
        s.separator = '/';
        s.directories = dirs.seam();
        s.currentDirectory = [](void* d) { return self(d)->current.c_str(); };
        s.driveCount = [](void* d) { return static_cast<int>(self(d)->drives.size()); };
        s.driveName = [](void* d, int i) { return self(d)->drives[i].c_str(); };
        s.driveRoot = s.driveName;
        s.shownDrive = [](void* d) { return self(d)->shown; };
        s.showDrive = [](void* d, int i) { self(d)->shown = i; };
        s.clearDirectories = [](void* d) { self(d)->entries.clear(); };
        s.addBranchEntry = [](void* d, const char* name, std::size_t length, int depth) {
            self(d)->entries.push_back(std::string(2 * depth, ' ') + std::string(name, length));
        };
        s.addSubdirectory = [](void* d, const char* name, int depth) {
            self(d)->entries.push_back(std::string(2 * depth, ' ') + name);
        };
        s.setOpenPath = [](void* d, const char* path) { self(d)->open = path; };
        s.openPath = [](void* d) { return self(d)->open.c_str(); };
        s.tellOpenFailed = [](void* d, const char* dir, const char* reason) {
            self(d)->told.push_back(std::string(dir) + ": " + reason);
        };
        return s;
    }
    static Dialog* self(void* d) { return static_cast<Dialog*>(d); }
};

TEST(SelectPath, TheDriveHoldingAPathIsTheLongestWholeComponentPrefix) {
    Dialog dialog;
    dialog.drives = {"/", "/home", "/home/user/data", "/mnt/usb"};
    const std::pair<const char*, int> cases[] = {{"/", 0},
                                                 {"/etc", 0},
                                                 {"/home", 1},
                                                 {"/homework/x", 0},
                                                 {"/mnt/usb/", 3},
                                                 {"/mnt/usb2", 0},
                                                 {"/home/user/data/x/y", 2},
                                                 {"/home/user/database", 1}};
    for (const auto& [path, drive] : cases)
        EXPECT_EQ(driveHolding(dialog.seam(), path), drive) << path;
    dialog.drives = {"/mnt"};
    EXPECT_EQ(driveHolding(dialog.seam(), "/x"), -1);

    // Random drive sets and paths over components of which some are prefixes of others, so
    // that prefixes that are not whole components ("ab" of "abc") turn up often.
    const char* parts[] = {"a", "ab", "abc", "b", "ba"};
    std::mt19937 random(20261208);
    auto randomPath = [&](int maxDepth) {
        std::vector<std::string> components(random() % (maxDepth + 1));
        std::string path;
        for (std::string& c : components)
            path += "/" + (c = parts[random() % 5]);
        return std::pair{path.empty() ? std::string("/") : path, components};
    };
    for (int round = 0; round < 5000; ++round) {
        std::vector<std::vector<std::string>> driveParts;
        dialog.drives.clear();
        for (int n = 1 + static_cast<int>(random() % 5); n > 0; --n) {
            const auto [drive, components] = randomPath(3);
            if (std::find(dialog.drives.begin(), dialog.drives.end(), drive) ==
                dialog.drives.end()) {
                dialog.drives.push_back(drive);
                driveParts.push_back(components);
            }
        }
        const auto [path, pathParts] = randomPath(5);
        int expected = -1;
        for (std::size_t d = 0; d < driveParts.size(); ++d)
            if (driveParts[d].size() <= pathParts.size() &&
                std::equal(driveParts[d].begin(), driveParts[d].end(), pathParts.begin()) &&
                (expected < 0 || driveParts[d].size() > driveParts[expected].size()))
                expected = static_cast<int>(d);
        ASSERT_EQ(driveHolding(dialog.seam(), path.c_str()), expected) << path;
    }
}

TEST(SelectPath, LoadOpensTheListsDirectoryWithItsSubdirectoriesOnItsDrive) {
    Dialog dialog;
    FakeEntry hidden{".cache", false, true, true};
    dialog.dirs.table["/d"] = {}; // the change to the list's drive opens its root first
    dialog.dirs.table["/d/x"] = {
        {"Sub", false, true}, {"file.drv"}, {".", false, true}, {"..", false, true}, hidden};
    loadSelectPath(dialog.seam(), "/d/x");
    EXPECT_EQ(dialog.open, "/d/x");
    EXPECT_EQ(dialog.entries, (std::vector<std::string>{"/", "  d", "    x", "      Sub"}));
    EXPECT_EQ(dialog.shown, 1);
    EXPECT_TRUE(dialog.told.empty());
    EXPECT_STREQ(selectPathAnswer(dialog.seam()), "/d/x");
}

TEST(SelectPath, AListDirectoryGoneIsToldAndTheDriveShownInstead) {
    struct Case {
        std::string listPath, current;
        std::vector<std::string> readable;
        const char* shown; // null: nothing could be opened, OK keeps newpath
        int drive;
    };
    const Case cases[] = {
        {"/d/gone", "/w", {"/", "/d"}, "/d", 1},              // the drive's root
        {"/d/gone", "/d/cur", {"/d", "/d/cur"}, "/d/cur", 1}, // the drive's current directory
        {"/d/gone", "/d/cur", {"/d"}, "/d", 1},               // that gone too: the root
        {"/gone", "/w", {}, nullptr, 0},                      // not even the root
    };
    for (const Case& c : cases) {
        Dialog dialog;
        dialog.current = c.current;
        dialog.shown = c.current.rfind("/d", 0) == 0 ? 1 : 0; // Drive1 starts there
        for (const std::string& dir : c.readable)
            dialog.dirs.table[dir] = {};
        loadSelectPath(dialog.seam(), c.listPath.c_str());
        ASSERT_EQ(dialog.told.size(), 1u) << c.listPath;
        EXPECT_EQ(dialog.told[0], c.listPath + ": it no longer exists");
        const char* answer = selectPathAnswer(dialog.seam());
        EXPECT_EQ(answer == nullptr, c.shown == nullptr) << c.current;
        if (c.shown != nullptr) {
            EXPECT_STREQ(answer, c.shown);
            EXPECT_EQ(dialog.shown, c.drive);
        }
    }
}

TEST(SelectPath, AnUnreadableDriveKeepsWhatWasShown) {
    Dialog dialog;
    dialog.dirs.table["/w"] = {};
    dialog.dirs.table["/"] = {};
    loadSelectPath(dialog.seam(), "/w");
    selectPathDriveChanged(dialog.seam(), 1);
    EXPECT_EQ(dialog.told, (std::vector<std::string>{"/d: it no longer exists"}));
    EXPECT_EQ(dialog.shown, 0);
    EXPECT_EQ(dialog.open, "/w");
    dialog.dirs.table["/d"] = {};
    selectPathDriveChanged(dialog.seam(), 1);
    EXPECT_EQ(dialog.open, "/d");
    EXPECT_EQ(dialog.shown, 1);
}

} // namespace
} // namespace tolvane
