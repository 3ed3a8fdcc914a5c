// Reading a driver file from disk, including files that cannot be read.
#include "captions_printer.h"
#include "temporary_directory.h"
#include "version_file_builder.h"
#include "version_strings.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
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

// Files larger than the reader's chunk, with the first marker at offsets around the chunk
// borders (1 MiB, and 2 MiB less the overlap of 14 bytes) and in the last chunk.
TEST(ReadVersionCaptions, LargeFilesWithTheMarkerAtAnyOffset) {
    TemporaryDirectory dir;
    ASSERT_TRUE(dir.valid());
    constexpr std::size_t kMiB = std::size_t{1} << 20;
    std::vector<std::size_t> offsets;
    for (std::size_t at = kMiB - 40; at <= kMiB + 5; ++at) {
        offsets.push_back(at);
    }
    for (std::size_t at = 2 * kMiB - 60; at <= 2 * kMiB - 20; ++at) {
        offsets.push_back(at);
    }
    offsets.push_back(0);
    offsets.push_back(2 * kMiB + 1000);
    offsets.push_back(2 * kMiB + kMiB / 2 - 15); // the marker ends the file
    for (const std::size_t at : offsets) {
        VersionFileBuilder file;
        file.fill(at, 0x01).markerAndGap();
        file.entry("CompanyName", "Offset Works").entry("FileVersion", std::to_string(at));
        file.padTo(2 * kMiB + kMiB / 2, 0x02);
        const std::string path = dir.write("big.drv", file.bytes());
        const VersionCaptions expected = extractVersionCaptions(file.bytes().data(), file.size());
        ASSERT_EQ(readVersionCaptions(path), expected) << "marker at " << at;
        if (at + 31 + 30 < file.size()) {
            EXPECT_EQ(expected.version, u16(std::to_string(at)));
        }
    }
}

TEST(ReadVersionCaptions, LargeFileWithoutMarkerShowsTheDefaults) {
    TemporaryDirectory dir;
    ASSERT_TRUE(dir.valid());
    VersionFileBuilder file;
    file.fill((std::size_t{3} << 20) + 77, 0x53).put(std::size_t{1} << 20, "StringFileInf");
    EXPECT_EQ(readVersionCaptions(dir.write("plain.drv", file.bytes())), kDefaults);
}

TEST(ReadVersionCaptions, LaterMarkersOfALargeFileAreSeen) {
    // The first marker lies in the first chunk, the one that completes the key in a later
    // one: the rest of the file is read behind the first marker.
    TemporaryDirectory dir;
    ASSERT_TRUE(dir.valid());
    VersionFileBuilder file;
    file.fill(1000, 0x01).markerAndGap().entry("FileDescription", "Spread");
    file.padTo(1000 + 31 + 193, 0x2E).text("FileVer");
    file.fill((std::size_t{1} << 20) + 5000, 0x01);
    file.markerAndGap().text("sion").zero().text("7.7").zero().fill(300, 0);
    EXPECT_EQ(readVersionCaptions(dir.write("spread.drv", file.bytes())),
              (VersionCaptions{u"Spread", u"", u"7.7"}));
}

// Another program shortens and regrows the file again and again while it is being read.
// The reader must never crash (a mapped file that shrinks kills the process with SIGBUS);
// each read shows the file's captions or says that the file became shorter.
TEST(ReadVersionCaptions, FileShrinkingWhileReadNeverCrashes) {
    TemporaryDirectory dir;
    ASSERT_TRUE(dir.valid());
    constexpr std::size_t kSize = std::size_t{32} << 20;
    constexpr off_t kShortSize = 4096;
    // The marker comes first and no "FileVersion" follows, so every read goes through the
    // whole file behind it.
    VersionFileBuilder file;
    file.markerAndGap().entry("CompanyName", "Shrinking Works").entry("FileDescription", "Moving");
    file.padTo(kSize, 0x01);
    const std::string path = dir.write("shrink.drv", file.bytes());
    const VersionCaptions expected{u"Moving", u"Shrinking Works", kNotAvailable};
    ASSERT_EQ(readVersionCaptions(path), expected);

    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    std::atomic<bool> done{false};
    std::atomic<long> cuts{0};
    std::thread cutter([&] {
        while (!done.load()) {
            if (::ftruncate(fd, kShortSize) == 0) {
                ++cuts;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(50));
            // Regrown with zero bytes: still no further marker, so the same captions.
            (void)::ftruncate(fd, static_cast<off_t>(kSize));
            std::this_thread::sleep_for(std::chrono::microseconds(700));
        }
    });
    const VersionCaptions shortened = unreadable("it became shorter while being read");
    int seenShortened = 0;
    for (int n = 0; n < 400; ++n) {
        const VersionCaptions got = readVersionCaptions(path);
        if (got == shortened) {
            ++seenShortened;
        } else {
            EXPECT_EQ(got, expected) << "read " << n;
        }
    }
    done = true;
    cutter.join();
    ::close(fd);
    EXPECT_GT(cuts.load(), 0);
    std::printf("%d of the reads met a shorter file\n", seenShortened);
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
