// Reading a driver file from disk, including files that cannot be read.
#include "temporary_directory.h"
#include "test_captions.h"
#include "version_file_builder.h"
#include "version_strings.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <future>
#include <string>
#include <thread>

namespace tolvane {
namespace {

using testing::TemporaryDirectory;
using testing::VersionFileBuilder;

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

// A sparse file of `size` bytes holding `block` at offset `at`, the rest a hole.
std::string sparseFile(const TemporaryDirectory& dir, const std::string& name, uint64_t size,
                       uint64_t at, const std::vector<uint8_t>& block) {
    const std::string path = dir.file(name);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(::ftruncate(fd, static_cast<off_t>(size)), 0);
    EXPECT_EQ(::pwrite(fd, block.data(), block.size(), static_cast<off_t>(at)),
              static_cast<ssize_t>(block.size()));
    ::close(fd);
    return path;
}

long peakMemoryKiB() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

TEST(ReadVersionCaptions, A3GiBFileIsReadInTheMemoryOfAnEmptyOne) {
    TemporaryDirectory dir;
    ASSERT_TRUE(dir.valid());
    ASSERT_EQ(readVersionCaptions(dir.write("empty.drv", {})), kDefaults);
    const long empty = peakMemoryKiB();
    VersionFileBuilder block;
    block.markerAndGap().entry("CompanyName", "Big Works").entry("FileVersion", "3.0");
    const std::string path = sparseFile(dir, "big.drv", uint64_t{3} << 30, 0, block.bytes());
    EXPECT_EQ(readVersionCaptions(path), (VersionCaptions{u"", u"Big Works", u"3.0"}));
    EXPECT_LT(peakMemoryKiB() - empty, 64 * 1024) << "KiB more than for an empty file";
}

// The bytes this process has read so far (read, pread and the like), as the kernel counts
// them.
uint64_t bytesRead() {
    std::ifstream io("/proc/self/io");
    std::string key;
    uint64_t value = 0;
    while (io >> key >> value && key != "rchar:") {
    }
    return value;
}

TEST(ReadVersionCaptions, TheHolesOfASparseFileAreNotRead) {
    // 64 GiB each, reading them through took minutes: a marker with a description at the
    // start, without a version, so that the scan goes on to the end; and the version block
    // 5,000 bytes before the end.
    TemporaryDirectory dir;
    ASSERT_TRUE(dir.valid());
    const uint64_t size = uint64_t{64} << 30;
    VersionFileBuilder start;
    start.markerAndGap().entry("FileDescription", "Start");
    VersionFileBuilder end;
    end.markerAndGap().entry("CompanyName", "End Works").entry("FileVersion", "64.0");
    const struct {
        std::string path;
        VersionCaptions expected;
    } files[] = {
        {sparseFile(dir, "start.drv", size, 0, start.bytes()),
         {u"Start", kNotAvailable, kNotAvailable}},
        {sparseFile(dir, "end.drv", size, size - 5000, end.bytes()), {u"", u"End Works", u"64.0"}},
    };
    for (const auto& file : files) {
        const uint64_t before = bytesRead();
        EXPECT_EQ(readVersionCaptions(file.path), file.expected) << file.path;
        EXPECT_LT(bytesRead() - before, uint64_t{8} << 20) << file.path;
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
            // Regrown with zero bytes: still no further marker, so the same captions. (A
            // failure leaves it short, which the reader takes as it does any cut.)
            const int regrown = ::ftruncate(fd, static_cast<off_t>(kSize));
            static_cast<void>(regrown);
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
