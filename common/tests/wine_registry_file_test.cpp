// Registry files on disk: read when they are regular files of a sane size, refused at once
// when they are anything else, so that no special file makes a program hang or read on
// without end.
#include "finishes_in_time.h"
#include "wine_registry.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class RegistryFile : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/registry-file-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        path_ = dir_ + "/system.reg";
    }
    void TearDown() override {
        std::remove(path_.c_str());
        rmdir(path_.c_str());
        rmdir(dir_.c_str());
    }

    // The status of a lookup in the file, or -1 when it did not end within ten seconds.
    int status() const {
        const std::string path = path_;
        return exit_status_within(10, [&path] {
            uint8_t data[80];
            reg_lookup result;
            reg_file_status s =
                wine_registry_file_lookup(path.c_str(), "Key", "Value", data, sizeof data, &result);
            // Nothing is found in a file that was not read.
            return s != REG_FILE_READ && result.value_found ? 99 : static_cast<int>(s);
        });
    }

    std::string dir_, path_;
};

TEST_F(RegistryFile, ARegularFileIsRead) {
    std::FILE* f = std::fopen(path_.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("[Key]\n\"Value\"=\"On\"\n", f);
    std::fclose(f);
    uint8_t data[80];
    reg_lookup result;
    EXPECT_EQ(wine_registry_file_lookup(path_.c_str(), "Key", "Value", data, sizeof data, &result),
              REG_FILE_READ);
    EXPECT_TRUE(result.value_found);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), result.stored), std::string("On\0", 3));
}

TEST_F(RegistryFile, WhatIsNoRegularFileIsRefusedAtOnce) {
    EXPECT_EQ(status(), REG_FILE_UNREADABLE); // missing
    ASSERT_EQ(mkdir(path_.c_str(), 0700), 0);
    EXPECT_EQ(status(), REG_FILE_NOT_REGULAR);
    ASSERT_EQ(rmdir(path_.c_str()), 0);
    ASSERT_EQ(mkfifo(path_.c_str(), 0600), 0); // nobody writes into it
    EXPECT_EQ(status(), REG_FILE_NOT_REGULAR);
    ASSERT_EQ(std::remove(path_.c_str()), 0);
    ASSERT_EQ(symlink("/dev/zero", path_.c_str()), 0); // endless
    EXPECT_EQ(status(), REG_FILE_NOT_REGULAR);
}

TEST_F(RegistryFile, AFileAboveTheLimitIsNotRead) {
    const int fd = open(path_.c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, static_cast<off_t>(REG_FILE_SIZE_LIMIT) + 1), 0); // sparse: no disk
    ASSERT_EQ(pwrite(fd, "[Key]\n\"Value\"=\"On\"\n", 19, 0), 19);
    close(fd);
    EXPECT_EQ(status(), REG_FILE_TOO_LARGE);
}

} // namespace
