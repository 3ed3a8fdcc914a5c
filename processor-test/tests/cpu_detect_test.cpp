// Processor identification on simulated processors, and on the real one.
#include <gtest/gtest.h>

#include <cpuid.h>
#include <cstdio>
#include <cstring>
#include <string>

#include "capture_console.h"
#include "cpu_detect.h"
#include "simulated_cpu.h"

namespace {

const char* const progress[] = {"Chip is an 8086 or better\n", "Chip is a 286 or better\n",
                                "Chip is a 386 or better\n", "Chip is a 486 or better\n",
                                "Chip is a pentium or better\n"};

std::string first_lines(int n) {
    std::string text;
    for (int i = 0; i < n; ++i)
        text += progress[i];
    return text;
}

struct detect_case {
    const char* name;
    simulated_cpu cpu;
    int lines;
    int32_t code;
};

const detect_case detect_cases[] = {
    {"8086", {chip::i8086, 0, false}, 1, 0},
    {"80186", {chip::i80186, 0, false}, 1, 1},
    {"80286", {chip::i80286, 0, false}, 2, 2},
    {"80386", {chip::i80386, 0, false}, 3, 3},
    {"80486_without_cpuid", {chip::i80486, 0, false}, 4, 4},
    {"cpuid_family4", {chip::with_cpuid, 4, false}, 5, 4},
    {"cpuid_family4_mmx", {chip::with_cpuid, 4, true}, 5, 20},
    {"cpuid_family5", {chip::with_cpuid, 5, false}, 5, 5},
    {"cpuid_family5_mmx", {chip::with_cpuid, 5, true}, 5, 21},
    {"cpuid_family6", {chip::with_cpuid, 6, false}, 5, 6},
    {"cpuid_family6_mmx", {chip::with_cpuid, 6, true}, 5, 22},
    {"cpuid_family15", {chip::with_cpuid, 15, false}, 5, 15},
    {"cpuid_family15_mmx", {chip::with_cpuid, 15, true}, 5, 31},
};

class DetectOnSimulatedChip : public ::testing::TestWithParam<detect_case> {};

TEST_P(DetectOnSimulatedChip, PrintsItsProgressLinesAndReturnsItsCode) {
    const detect_case& c = GetParam();
    simulate(c.cpu);
    captured_io io;
    int32_t code = detect_cpu_on(simulated_probes(), capture_console(&io));
    EXPECT_EQ(code, c.code);
    EXPECT_EQ(io.output, first_lines(c.lines));
    EXPECT_EQ(io.flushes, c.lines); // each line flushed on its own
    EXPECT_TRUE(io.unflushed.empty());
}

INSTANTIATE_TEST_SUITE_P(Chips, DetectOnSimulatedChip, ::testing::ValuesIn(detect_cases),
                         [](const ::testing::TestParamInfo<detect_case>& param_info) {
                             return std::string(param_info.param.name);
                         });

// Every family the 4-bit field can report, with and without MMX.
TEST(DetectOnSimulatedChip, CodeIsFamilyPlusSixteenForMmx) {
    for (uint32_t family = 0; family < 16; ++family) {
        for (bool mmx : {false, true}) {
            simulate({chip::with_cpuid, family, mmx});
            captured_io io;
            int32_t code = detect_cpu_on(simulated_probes(), capture_console(&io));
            EXPECT_EQ(code, static_cast<int32_t>(family) + (mmx ? 16 : 0));
            EXPECT_EQ(io.output, first_lines(5));
        }
    }
}

// Each progress line reaches the console before the probe that follows it runs.
const pex_console* ordered_console = nullptr;
captured_io* ordered_io = nullptr;
std::string probe_log;

uint16_t logging_flags16(uint16_t value) {
    probe_log += "[flags16 after " + std::to_string(ordered_io->flushes) + " flushes]";
    EXPECT_TRUE(ordered_io->unflushed.empty());
    return simulated_probes()->flags16_write_read(value);
}
uint16_t logging_shift() {
    return simulated_probes()->shift16_by_33();
}
void logging_flags32(uint32_t toggle, uint32_t* before, uint32_t* after) {
    probe_log += "[flags32 after " + std::to_string(ordered_io->flushes) + " flushes]";
    EXPECT_TRUE(ordered_io->unflushed.empty());
    simulated_probes()->flags32_toggle_read(toggle, before, after);
}
void logging_cpuid(uint32_t* eax, uint32_t* edx) {
    probe_log += "[cpuid after " + std::to_string(ordered_io->flushes) + " flushes]";
    EXPECT_TRUE(ordered_io->unflushed.empty());
    simulated_probes()->cpuid_leaf1(eax, edx);
}

TEST(DetectOnSimulatedChip, EachLineIsFlushedBeforeItsProbe) {
    simulate({chip::with_cpuid, 6, true});
    captured_io io;
    ordered_io = &io;
    ordered_console = capture_console(&io);
    probe_log.clear();
    const cpu_probes logging = {logging_flags16, logging_shift, logging_flags32, logging_cpuid};
    EXPECT_EQ(detect_cpu_on(&logging, ordered_console), 22);
    EXPECT_EQ(probe_log, "[flags16 after 1 flushes][flags16 after 2 flushes]"
                         "[flags32 after 3 flushes][flags32 after 4 flushes]"
                         "[cpuid after 5 flushes]");
}

// ---- the real processor ----

uint32_t family_from_cpuid() {
    unsigned int eax = 0, ebx = 0, ecx = 0, edx = 0;
    EXPECT_TRUE(__get_cpuid(1, &eax, &ebx, &ecx, &edx));
    return (eax >> 8) & 0xF;
}

bool mmx_from_cpuid() {
    unsigned int eax = 0, ebx = 0, ecx = 0, edx = 0;
    EXPECT_TRUE(__get_cpuid(1, &eax, &ebx, &ecx, &edx));
    return (edx & bit_MMX) != 0;
}

TEST(DetectOnThisProcessor, AgreesWithCpuid) {
    captured_io io;
    int32_t code = detect_cpu_on(x86_cpu_probes(), capture_console(&io));
    EXPECT_EQ(io.output, first_lines(5)); // any processor that runs this has CPUID
    EXPECT_EQ(static_cast<uint32_t>(code & 15), family_from_cpuid());
    EXPECT_EQ(code >= 16, mmx_from_cpuid());
}

TEST(DetectOnThisProcessor, AgreesWithTheKernelsMmxFlag) {
    std::FILE* info = std::fopen("/proc/cpuinfo", "r");
    if (info == nullptr)
        GTEST_SKIP() << "no /proc/cpuinfo here";
    bool kernel_mmx = false;
    bool saw_flags = false;
    char line[8192];
    while (!saw_flags && std::fgets(line, sizeof line, info) != nullptr) {
        if (std::strncmp(line, "flags", 5) != 0)
            continue;
        saw_flags = true;
        kernel_mmx = std::strstr(line, " mmx ") != nullptr || std::strstr(line, " mmx\n");
    }
    std::fclose(info);
    if (!saw_flags)
        GTEST_SKIP() << "no flags line in /proc/cpuinfo";
    captured_io io;
    int32_t code = detect_cpu_on(x86_cpu_probes(), capture_console(&io));
    EXPECT_EQ(code >= 16, kernel_mmx);
}

#if defined(__x86_64__)
uint64_t read_flags() {
    return __builtin_ia32_readeflags_u64();
}
#else
uint64_t read_flags() {
    return __builtin_ia32_readeflags_u32();
}
#endif

// The probes put back the flags they found: alignment checking, the identification flag,
// direction and nested-task flags are as before.
TEST(DetectOnThisProcessor, LeavesTheControlFlagsAsItFoundThem) {
    constexpr uint64_t control = 0x40000 | 0x200000 | 0x4000 | 0x0400 | 0x0100 | 0x3000;
    uint64_t before = read_flags();
    captured_io io;
    detect_cpu_on(x86_cpu_probes(), capture_console(&io));
    uint64_t after = read_flags();
    EXPECT_EQ(after & control, before & control);
    EXPECT_EQ(after & 0x40000, 0u);
}

TEST(DetectOnThisProcessor, ProbesReportWhatThisProcessorLetsThrough) {
    const cpu_probes* p = x86_cpu_probes();
    // A 386 or later: bits 12-15 do not stick at 1, and a 32-bit processor masks the
    // shift count to 5 bits.
    EXPECT_NE(p->flags16_write_read(0) & 0xF000, 0xF000);
    EXPECT_EQ(p->shift16_by_33(), 0xFFFE);
    uint32_t before = 0, after = 0;
    p->flags32_toggle_read(0x200000, &before, &after);
    EXPECT_EQ(before ^ after, 0x200000u); // the identification flag toggles
    p->flags32_toggle_read(0x40000, &before, &after);
    EXPECT_EQ(before ^ after, 0x40000u); // so does alignment checking
    EXPECT_EQ(read_flags() & 0x40000, 0u);
}

} // namespace
