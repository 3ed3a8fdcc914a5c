// The MMX setting read from Wine's system.reg in a temporary prefix, and the choice of
// arithmetic it leads to.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "capture_console.h"
#include "finishes_in_time.h"
#include "fixed_point.h"
#include "mmx_mode.h"
#include "registry.h"
#include "simulated_cpu.h"

namespace {

const char* const header = "WINE REGISTRY Version 2\n"
                           ";; All keys relative to REGISTRY\\\\Machine\n"
                           "\n"
                           "#arch=win64\n"
                           "\n"
                           "[Software\\\\Classes] 1796763883\n"
                           "#time=1dd8757bfb65512\n"
                           "\n";

const char* const key_path = "Software\\Corvelline\\Saltremb\\Hardware";
const char* const key_line = "[Software\\\\Corvelline\\\\Saltremb\\\\Hardware] 1796763883\n"
                             "#time=1dd8757bfb65512\n";

captured_io detect_io;
int detect_calls = 0;

int32_t counted_detect() {
    ++detect_calls;
    return detect_cpu_on(simulated_probes(), capture_console(&detect_io));
}

class MmxSetting : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/pexmoor-prefix-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        prefix_ = pattern;
        const char* old = std::getenv("WINEPREFIX");
        had_prefix_ = old != nullptr;
        if (had_prefix_)
            old_prefix_ = old;
        setenv("WINEPREFIX", prefix_.c_str(), 1);
        mmx_mode_reset_for_tests();
        mmx_mode_set_detector_for_tests(counted_detect);
        detect_io = captured_io{};
        detect_calls = 0;
        simulate({chip::with_cpuid, 6, true});
    }

    void TearDown() override {
        std::remove((prefix_ + "/system.reg").c_str());
        rmdir(prefix_.c_str());
        if (had_prefix_)
            setenv("WINEPREFIX", old_prefix_.c_str(), 1);
        else
            unsetenv("WINEPREFIX");
        mmx_mode_reset_for_tests();
        mmx_mode_set_detector_for_tests(nullptr);
        mmx_enabled = 0;
    }

    void write_file(const std::string& text) {
        std::FILE* f = std::fopen((prefix_ + "/system.reg").c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }

    // The key holding the given value lines.
    void store(const std::string& value_lines) {
        write_file(std::string(header) + key_line + value_lines + "\n");
    }

    void store_text(const std::string& escaped_text) {
        store("\"MMX\"=\"" + escaped_text + "\"\n");
    }

    std::string prefix_;
    std::string old_prefix_;
    bool had_prefix_ = false;
};

TEST_F(MmxSetting, TheThreeWordsInEveryCaseMix) {
    const char* words[] = {"Auto", "Off", "On"};
    for (int32_t setting = 0; setting < 3; ++setting) {
        std::string word = words[setting];
        // Every combination of upper and lower case letters.
        for (unsigned mask = 0; mask < (1u << word.size()); ++mask) {
            std::string text = word;
            for (size_t i = 0; i < text.size(); ++i) {
                char lower = static_cast<char>(text[i] | 0x20);
                text[i] = (mask >> i) & 1 ? static_cast<char>(lower & ~0x20) : lower;
            }
            store_text(text);
            EXPECT_EQ(read_mmx_setting(), setting) << text;
        }
    }
}

TEST_F(MmxSetting, AnythingElseIsAuto) {
    const char* texts[] = {" On", "On ", "Off ", "\\tOff", "1",     "2",      "0",      "Yes",
                           "Onn", "O",   "Of",   "",       "Autox", "\\xd3n", "Offline"};
    for (const char* text : texts) {
        store_text(text);
        EXPECT_EQ(read_mmx_setting(), MMX_MODE_AUTO) << text;
    }
    // A text that ends at a zero inside the value counts up to the zero, as the call
    // returns it.
    store_text("On\\0junk");
    EXPECT_EQ(read_mmx_setting(), MMX_MODE_ON);
}

TEST_F(MmxSetting, OnlyRegSzCounts) {
    store("\"MMX\"=dword:00000002\n");
    EXPECT_EQ(read_mmx_setting(), MMX_MODE_AUTO);
    store("\"MMX\"=str(2):\"On\"\n"); // REG_EXPAND_SZ
    EXPECT_EQ(read_mmx_setting(), MMX_MODE_AUTO);
    store("\"MMX\"=hex:4f,6e,00\n"); // REG_BINARY
    EXPECT_EQ(read_mmx_setting(), MMX_MODE_AUTO);
    store("\"MMX\"=str(7):\"On\\0\"\n"); // REG_MULTI_SZ
    EXPECT_EQ(read_mmx_setting(), MMX_MODE_AUTO);
    store("\"MMX\"=hex(1):4f,00,66,00,66,00,00,00\n"); // REG_SZ written as bytes
    EXPECT_EQ(read_mmx_setting(), MMX_MODE_OFF);
    store("\"MMX\"=str:\"On\"\n"); // REG_SZ under the other name Wine knows for it
    EXPECT_EQ(read_mmx_setting(), MMX_MODE_ON);
}

TEST_F(MmxSetting, SeventyNineCharactersFitEightyDoNot) {
    std::string padded79 = "On" + std::string(77, ' ');
    store_text(padded79);
    EXPECT_EQ(read_mmx_setting(), MMX_MODE_AUTO); // read, but not a word

    // The registry call itself: 79 characters and the terminator fill the 80 bytes.
    uint8_t buffer[80];
    uint32_t size = sizeof buffer;
    uint32_t type = 0;
    store_text(std::string(79, 'a'));
    EXPECT_EQ(registry_read(key_path, "MMX", &type, buffer, &size), REGISTRY_READ);
    EXPECT_EQ(size, 80u);
    EXPECT_EQ(type, REGISTRY_SZ);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer)), std::string(79, 'a'));
    store_text(std::string(80, 'a'));
    size = sizeof buffer;
    EXPECT_EQ(registry_read(key_path, "MMX", &type, buffer, &size), REGISTRY_LARGER_THAN_BUFFER);
    EXPECT_EQ(size, 81u);
    EXPECT_EQ(read_mmx_setting(), MMX_MODE_AUTO);
    size = sizeof buffer;
    EXPECT_EQ(registry_read(key_path, "Nothing", &type, buffer, &size), REGISTRY_NOT_FOUND);
    EXPECT_EQ(size, 0u);

    // An 80-character value that starts with a word is still too long: Auto.
    store_text("Off" + std::string(77, ' '));
    EXPECT_EQ(read_mmx_setting(), MMX_MODE_AUTO);
}

TEST_F(MmxSetting, MissingFileKeyOrValueIsAuto) {
    EXPECT_EQ(read_mmx_setting(), MMX_MODE_AUTO); // no system.reg at all
    // A FIFO nobody writes, or a link to /dev/zero, is no registry: Auto, at once (the first
    // held the reader in open(), the second fed it without end).
    const std::string file = prefix_ + "/system.reg";
    for (bool fifo : {true, false}) {
        ASSERT_EQ(fifo ? mkfifo(file.c_str(), 0600) : symlink("/dev/zero", file.c_str()), 0);
        EXPECT_EQ(exit_status_within(10, [] { return static_cast<int>(read_mmx_setting()); }),
                  MMX_MODE_AUTO);
        ASSERT_EQ(std::remove(file.c_str()), 0);
    }
    write_file(header);
    EXPECT_EQ(read_mmx_setting(), MMX_MODE_AUTO); // no key
    store("\"Other\"=\"On\"\n");
    EXPECT_EQ(read_mmx_setting(), MMX_MODE_AUTO); // no value
    write_file(std::string(header) + "[Software\\\\Corvelline\\\\Saltremb] 1\n\"MMX\"=\"On\"\n");
    EXPECT_EQ(read_mmx_setting(), MMX_MODE_AUTO); // the value sits in the parent key
    unsetenv("WINEPREFIX");
    std::string home_before = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", prefix_.c_str(), 1); // ~/.wine does not exist under it
    EXPECT_EQ(read_mmx_setting(), MMX_MODE_AUTO);
    setenv("HOME", home_before.c_str(), 1);
}

TEST_F(MmxSetting, WithoutWineprefixTheHomePrefixIsRead) {
    std::string wine_dir = prefix_ + "/.wine";
    ASSERT_EQ(mkdir(wine_dir.c_str(), 0700), 0);
    std::string file = wine_dir + "/system.reg";
    std::FILE* f = std::fopen(file.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::string text = std::string(header) + key_line + "\"MMX\"=\"Off\"\n";
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    unsetenv("WINEPREFIX");
    std::string home_before = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", prefix_.c_str(), 1);
    EXPECT_EQ(read_mmx_setting(), MMX_MODE_OFF);
    setenv("HOME", home_before.c_str(), 1);
    std::remove(file.c_str());
    rmdir(wine_dir.c_str());
}

TEST_F(MmxSetting, RegistryIsReadOncePerProcess) {
    store_text("Off");
    simulate({chip::with_cpuid, 6, true});
    EXPECT_EQ(select_mmx_mode(), 0);
    EXPECT_EQ(mmx_mode, MMX_MODE_OFF);
    EXPECT_EQ(mmx_mode_loaded, 1);
    store_text("On"); // changed afterwards: not read again
    EXPECT_EQ(select_mmx_mode(), 0);
    EXPECT_EQ(mmx_mode, MMX_MODE_OFF);
}

TEST_F(MmxSetting, AFailedReadIsCachedToo) {
    // No file: Auto, and a file written later is not looked at.
    simulate({chip::with_cpuid, 5, false});
    EXPECT_EQ(select_mmx_mode(), 0);
    store_text("On");
    EXPECT_EQ(select_mmx_mode(), 0);
    EXPECT_EQ(mmx_mode, MMX_MODE_AUTO);
}

TEST_F(MmxSetting, AutoProbesOnEveryCall) {
    store_text("auto");
    simulate({chip::with_cpuid, 6, true});
    EXPECT_EQ(select_mmx_mode(), 1);
    EXPECT_EQ(mmx_enabled, 1);
    simulate({chip::with_cpuid, 5, false}); // the detection is not cached
    EXPECT_EQ(select_mmx_mode(), 0);
    EXPECT_EQ(mmx_enabled, 0);
    EXPECT_EQ(detect_calls, 2);
    const std::string five = "Chip is an 8086 or better\nChip is a 286 or better\n"
                             "Chip is a 386 or better\nChip is a 486 or better\n"
                             "Chip is a pentium or better\n";
    EXPECT_EQ(detect_io.output, five + five);
}

TEST_F(MmxSetting, AutoOnOlderChips) {
    store_text("AUTO");
    const simulated_cpu chips[] = {{chip::i8086, 0, false},
                                   {chip::i80286, 0, false},
                                   {chip::i80486, 0, false},
                                   {chip::with_cpuid, 4, true},
                                   {chip::with_cpuid, 15, true}};
    const int32_t expected[] = {0, 0, 0, 1, 1};
    for (int i = 0; i < 5; ++i) {
        simulate(chips[i]);
        EXPECT_EQ(select_mmx_mode(), expected[i]) << i;
    }
}

TEST_F(MmxSetting, OnNeverProbesEvenWithoutMmx) {
    store_text("ON");
    simulate({chip::with_cpuid, 5, false});
    EXPECT_EQ(select_mmx_mode(), 1);
    EXPECT_EQ(mmx_enabled, 1);
    EXPECT_EQ(select_mmx_mode(), 1);
    EXPECT_EQ(detect_calls, 0);
    EXPECT_EQ(simulated_probe_calls(), 0);
    EXPECT_TRUE(detect_io.output.empty());
}

TEST_F(MmxSetting, OffNeverProbesEvenWithMmx) {
    store_text("oFf");
    simulate({chip::with_cpuid, 6, true});
    mmx_enabled = 1;
    EXPECT_EQ(select_mmx_mode(), 0);
    EXPECT_EQ(mmx_enabled, 0);
    EXPECT_EQ(detect_calls, 0);
    EXPECT_EQ(simulated_probe_calls(), 0);
    EXPECT_TRUE(detect_io.output.empty());
}

} // namespace
