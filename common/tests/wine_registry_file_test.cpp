// Registry files on disk: read when they are regular files of a sane size, refused at once
// when they are anything else, so that no special file makes a program hang or read on
// without end.
#include "finishes_in_time.h"
#include "wine_registry.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

namespace {

// What a lookup in the file gives (-1 when it did not end within ten seconds), and that a
// file not read holds nothing.
int status_of(const std::string& path) {
    return exit_status_within(10, [&path] {
        uint8_t data[80];
        reg_lookup found;
        const reg_file_status s =
            wine_registry_file_lookup(path.c_str(), "Key", "Value", data, sizeof data, &found);
        return found.value_found != (s == REG_FILE_READ) ? 99 : static_cast<int>(s);
    });
}

TEST(RegistryFile, OnlyARegularFileOfASaneSizeIsRead) {
    char dir[] = "/tmp/registry-file-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string path = std::string(dir) + "/system.reg";
    const char text[] = "[Key]\n\"Value\"=\"On\"\n";
    EXPECT_EQ(status_of(path), REG_FILE_UNREADABLE); // missing
    int fd = open(path.c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_EQ(write(fd, text, sizeof text - 1), static_cast<ssize_t>(sizeof text - 1));
    EXPECT_EQ(status_of(path), REG_FILE_READ);
    // One byte above the limit, sparse, so that it costs no disk.
    ASSERT_EQ(ftruncate(fd, static_cast<off_t>(REG_FILE_SIZE_LIMIT) + 1), 0);
    close(fd);
    EXPECT_EQ(status_of(path), REG_FILE_TOO_LARGE);
    ASSERT_EQ(std::remove(path.c_str()), 0);
    ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
    EXPECT_EQ(status_of(path), REG_FILE_NOT_REGULAR);
    ASSERT_EQ(rmdir(path.c_str()), 0);
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); // nobody writes into it
    EXPECT_EQ(status_of(path), REG_FILE_NOT_REGULAR);
    ASSERT_EQ(std::remove(path.c_str()), 0);
    ASSERT_EQ(symlink("/dev/zero", path.c_str()), 0); // endless
    EXPECT_EQ(status_of(path), REG_FILE_NOT_REGULAR);
    std::remove(path.c_str());
    rmdir(dir);
}

} // namespace
