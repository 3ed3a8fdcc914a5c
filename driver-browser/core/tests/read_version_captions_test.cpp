// Reading a driver file from disk, including files that cannot be read.
#include "captions_printer.h"
#include "temporary_directory.h"
#include "version_file_builder.h"
#include "version_strings.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>

namespace tolvane {
namespace {

using testing::TemporaryDirectory;
using testing::VersionFileBuilder;

std::u16string u16(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

const VersionCaptions kDefaults{kNoInformation, kNotAvailable, kNotAvailable};

VersionCaptions unreadable(const std::string& reason) {
    return VersionCaptions{u16("Could not read this file: " + reason), kNotAvailable,
                           kNotAvailable};
}

TEST(ReadVersionCaptions, ReadsTheWholeFile) {
    TemporaryDirectory dir;
    ASSERT_TRUE(dir.valid());
    VersionFileBuilder file;
    file.fill(5000, 0x90).markerAndGap().entry("CompanyName", "Quorrel Display Works");
    file.entry("FileDescription", "Super VGA \xA9").entry("FileVersion", "4.0").fill(99, 0);
    const std::string path = dir.write("SVGA.DRV", file.bytes());
    EXPECT_EQ(readVersionCaptions(path),
              (VersionCaptions{u"Super VGA \u00A9", u"Quorrel Display Works", u"4.0"}));
}

TEST(ReadVersionCaptions, EmptyFileShowsTheDefaults) {
    TemporaryDirectory dir;
    ASSERT_TRUE(dir.valid());
    const std::string path = dir.write("empty.drv", {});
    EXPECT_EQ(readVersionCaptions(path), kDefaults);
}

TEST(ReadVersionCaptions, MissingFileSaysSo) {
    TemporaryDirectory dir;
    ASSERT_TRUE(dir.valid());
    EXPECT_EQ(readVersionCaptions(dir.file("gone.drv")), unreadable("it no longer exists"));
}

TEST(ReadVersionCaptions, DirectorySaysSo) {
    TemporaryDirectory dir;
    ASSERT_TRUE(dir.valid());
    EXPECT_EQ(readVersionCaptions(dir.path()), unreadable("it is a directory"));
}

TEST(ReadVersionCaptions, FifoDoesNotBlock) {
    TemporaryDirectory dir;
    ASSERT_TRUE(dir.valid());
    const std::string path = dir.file("pipe.drv");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    // Run it on a thread of its own, left behind if it blocks, so that a blocking open
    // fails the test instead of hanging it.
    std::packaged_task<VersionCaptions()> task([path] { return readVersionCaptions(path); });
    auto result = task.get_future();
    std::thread(std::move(task)).detach();
    ASSERT_EQ(result.wait_for(std::chrono::seconds(20)), std::future_status::ready)
        << "reading a FIFO blocked";
    EXPECT_EQ(result.get(), unreadable("it is not a regular file"));
}

TEST(ReadVersionCaptions, PermissionDeniedSaysSo) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "running as root: permissions are not checked";
    }
    TemporaryDirectory dir;
    ASSERT_TRUE(dir.valid());
    const std::string path = dir.write("locked.drv", {1, 2, 3});
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    EXPECT_EQ(readVersionCaptions(path), unreadable("permission denied"));
}

TEST(ReadVersionCaptions, CharacterDeviceIsNotRead) {
    EXPECT_EQ(readVersionCaptions("/dev/null"), unreadable("it is not a regular file"));
}

TEST(ReadVersionCaptions, PathThroughAFileSaysSo) {
    TemporaryDirectory dir;
    ASSERT_TRUE(dir.valid());
    const std::string file = dir.write("plain.drv", {1});
    EXPECT_EQ(readVersionCaptions(file + "/inner.drv"),
              unreadable("its path is not a directory path"));
}

TEST(ReadVersionCaptions, SymbolicLinkToAFileIsFollowed) {
    TemporaryDirectory dir;
    ASSERT_TRUE(dir.valid());
    VersionFileBuilder file;
    file.markerAndGap().entry("FileVersion", "1.1").fill(200, 0);
    const std::string target = dir.write("real.drv", file.bytes());
    const std::string link = dir.file("link.drv");
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    EXPECT_EQ(readVersionCaptions(link), (VersionCaptions{u"", u"", u"1.1"}));
}

} // namespace
} // namespace tolvane
