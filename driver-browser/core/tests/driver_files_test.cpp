// The listing of a directory's driver files over readdir: hidden files as Linux and Wine mark
// them, links, special files, unreadable directories; names shown from their bytes, and
// their order. The rules the listing follows are directory_listing_test's, the order of the
// code page's names name_order_test's.
#include "driver_files.h"
#include "temporary_directory.h"
#include "test_captions.h"
#include "version_file_builder.h"
#include "version_strings.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

namespace tolvane {
namespace {

using testing::TemporaryDirectory;
using Names = std::vector<std::string>;

class DriverDirectory : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.valid()); }
    void touch(const std::string& name) { dir.write(name, {1, 2, 3}); }
    TemporaryDirectory dir;
};

TEST_F(DriverDirectory, LeavesOutHiddenFilesAndDirectories) {
    touch(".hidden.drv");
    touch("shown.drv");
    // The attributes as Wine records them: hidden 0x2 and system 0x4 are left out.
    for (const auto& [name, attributes] : {std::pair{"marked.drv", "0x2"},
                                           {"system.drv", "0x4"},
                                           {"both.drv", "0x26"},
                                           {"archive.drv", "0x20"}}) {
        touch(name);
        ASSERT_EQ(::setxattr(dir.file(name).c_str(), "user.DOSATTRIB", attributes,
                             std::strlen(attributes), 0),
                  0);
    }
    ASSERT_EQ(::mkdir(dir.file("folder.drv").c_str(), 0755), 0);
    EXPECT_EQ(listDriverFiles(dir.path(), "*.drv"), (Names{"archive.drv", "shown.drv"}));
    EXPECT_EQ(listDriverFiles(dir.path(), "*"), (Names{"archive.drv", "shown.drv"}));
}

TEST_F(DriverDirectory, ANameWhoseWholePathIsTooLongIsListedAndRead) {
    // The directory's path is shorter than 4,096 bytes, the file's whole path longer: the
    // file is listed and read relative to its directory.
    testing::DeepDirectory deep(dir.path(), 3900);
    ASSERT_TRUE(deep.valid());
    const std::string shown = std::string(240, 'L') + ".drv";
    const std::string hidden = std::string(240, 'H') + ".drv";
    testing::VersionFileBuilder driver;
    driver.markerAndGap().entry("CompanyName", "Deep Works").entry("FileVersion", "4.1");
    ASSERT_TRUE(deep.write(shown, driver.bytes()));
    ASSERT_TRUE(deep.write(hidden, {1}));
    ASSERT_GT(deep.path().size() + 1 + shown.size(), std::size_t{PATH_MAX});
    const int folder = ::open(deep.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const int file = ::openat(folder, hidden.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::fsetxattr(file, "user.DOSATTRIB", "0x2", 3, 0), 0);
    ::close(file);
    ::close(folder);
    EXPECT_EQ(listDriverFiles(deep.path(), "*.drv"), (Names{shown}));
    EXPECT_EQ(readVersionCaptions(deep.path() + "/" + shown),
              (VersionCaptions{u"", u"Deep Works", u"4.1"}));
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

TEST(ShownFileName, NamesThatAreNotUtf8AreShownThroughTheCodePage) {
    EXPECT_EQ(shownFileName("A\xE9.drv"), u"A\u00E9.drv");
    EXPECT_EQ(shownFileName("\x80\x99 \xFC.DRV"), u"\u20AC\u2122 \u00FC.DRV");
    // A name that is partly valid UTF-8 is shown whole through the code page.
    EXPECT_EQ(shownFileName("\xC3\xA9\xE9"), u"\u00C3\u00A9\u00E9");
    for (const char* invalid : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                                "\xC3", "\xE2\x82", "\xF5\x80\x80\x80", "\xFF", "\x80"}) {
        SCOPED_TRACE(invalid);
        EXPECT_EQ(shownFileName(invalid).size(), std::string(invalid).size());
    }
    EXPECT_EQ(shownFileName("plain.drv"), u"plain.drv");
    EXPECT_EQ(shownFileName("\xC3\xA9\xF0\x9F\x98\x80.drv"), u"\u00E9\U0001F600.drv");
    EXPECT_EQ(shownFileName(""), u"");
}

TEST(NativeNameOrder, NamesCompareAsTheCodePageCharactersTheyShow) {
    // clang-format off
    const char* const ordered[] = {
        "?", "\xE2\x82\xAC", // the euro sign in UTF-8: a symbol, before the letters
        // e acute in UTF-8, E acute as a byte
        "apple", "\xC3\xA9" "a", "\xC9" "b", "\xC3\xA9" "cole",
        "\xC3\xA9" "x", "\xE9" "x", // shown alike: by their bytes
        "f", "\xC3\x96" "z", "s", "\xC3\x9F", "zebra", // O diaeresis, sharp s in UTF-8
        "\xCE\xB1", "\xE6\x97\xA5.drv", // characters the code page lacks: last, by bytes
    };
    // clang-format on
    for (std::size_t i = 0; i < std::size(ordered); ++i) {
        for (std::size_t j = 0; j < std::size(ordered); ++j) {
            const int order = compareNativeNames(ordered[i], ordered[j]);
            EXPECT_EQ(order < 0, i < j) << i << " " << j;
            EXPECT_EQ(order == 0, i == j) << i << " " << j;
        }
    }
    Names reversed(std::rbegin(ordered), std::rend(ordered));
    sortNativeNames(&reversed);
    EXPECT_EQ(reversed, Names(std::begin(ordered), std::end(ordered)));
}

} // namespace
} // namespace tolvane
