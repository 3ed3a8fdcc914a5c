// The whole run against simulated processors, captured output and a fake clock.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture_console.h"
#include "cpu_detect.h"
#include "driver.h"
#include "fixed_point.h"
#include "fx_convert.h"
#include "simulated_cpu.h"

namespace {

captured_io io;

int32_t simulated_detect() {
    return detect_cpu_on(simulated_probes(), capture_console(&io));
}

// A clock that hands out the scripted time stamps t0 to t4, one per call. Each timed loop
// starts only once the text before it is on the screen: by the time the clock is read,
// everything written has been flushed.
double stamps[5];
int stamp_calls = 0;
double fake_now() {
    EXPECT_TRUE(io.unflushed.empty())
        << "clock read " << stamp_calls << " with text not yet flushed: \"" << io.unflushed << "\"";
    return stamps[stamp_calls++ % 5];
}

const pex_bench_counts small_counts = {6, 30, 45, 225};

pex_driver_seams seams_for(const pex_kernels* kernels) {
    return pex_driver_seams{capture_console(&io), simulated_detect, fake_now, kernels,
                            small_counts};
}

const std::string banner = "Pexmoor processor check and MMX benchmark, from Corvelline\n"
                           "http://www.corvelline.example/\n\n";
const std::string five_lines = "Chip is an 8086 or better\nChip is a 286 or better\n"
                               "Chip is a 386 or better\nChip is a 486 or better\n"
                               "Chip is a pentium or better\n";
const std::string closing = "\nPexmoor complete. Visit us at http://www.corvelline.example/.\n"
                            "Hit <enter> to quit this program";

std::string mmx_transcript(const char* test2, const char* test3, const char* figures) {
    return banner + five_lines +
           "\nYour machine is a Pentium Pro or Pentium II.    MMX is enabled\n\n"
           "Test1 (dot product): ok\n"
           "Test2 (linear combination): " +
           test2 +
           "\n"
           "Test3 (add): " +
           test3 +
           "\n"
           "Test4 (scale): ok\n"
           "If you see 'failed' above, you have a bad chip.\n\n"
           "Benchmarking your MMX system. This will take about a minute. We work your\n"
           "machine about 5 times harder in MMX mode; that's why the mmx/non-mmx benchmarks\n"
           "seem to take about the same amount of time.\n"
           "Starting benchmark 1 without mmx...done.  Now using mmx...done.\n"
           "Starting benchmark 2 without mmx...done.  Now using mmx...done.\n\n" +
           figures + closing;
}

void set_stamps(double t0, double t1, double t2, double t3, double t4) {
    stamps[0] = t0;
    stamps[1] = t1;
    stamps[2] = t2;
    stamps[3] = t3;
    stamps[4] = t4;
    stamp_calls = 0;
}

class DriverRun : public ::testing::Test {
protected:
    void SetUp() override {
        io = captured_io{};
        io.input = "\n";
        set_stamps(100, 112, 124, 134, 149);
    }
};

TEST_F(DriverRun, WithoutMmxOnlyIdentifiesAndWaits) {
    simulate({chip::with_cpuid, 5, false});
    pex_driver_seams seams = seams_for(library_kernels());
    EXPECT_EQ(pexmoor_run(&seams), 0);
    EXPECT_EQ(io.output, banner + five_lines +
                             "\nYour machine is a Pentium.    MMX is nonexistent\n\n" + closing);
    EXPECT_EQ(io.input_read, 1u); // one character read
    EXPECT_EQ(stamp_calls, 0);    // no benchmark
    EXPECT_TRUE(io.unflushed.empty());
}

TEST_F(DriverRun, OldChipsNameThemselves) {
    const struct {
        simulated_cpu cpu;
        const char* line;
        int progress_lines;
    } chips[] = {
        {{chip::i8086, 0, false}, "\nYour machine is a 8086 or 8088.    MMX is nonexistent\n\n", 1},
        {{chip::i80186, 0, false}, "\nYour machine is a 80186.    MMX is nonexistent\n\n", 1},
        {{chip::i80286, 0, false}, "\nYour machine is a 80286.    MMX is nonexistent\n\n", 2},
        {{chip::i80386, 0, false}, "\nYour machine is a 80386.    MMX is nonexistent\n\n", 3},
        {{chip::i80486, 0, false}, "\nYour machine is a 80486.    MMX is nonexistent\n\n", 4},
        {{chip::with_cpuid, 4, false}, "\nYour machine is a 80486.    MMX is nonexistent\n\n", 5},
        {{chip::with_cpuid, 15, false},
         "\nYour machine is a family 15 or later processor.    MMX is nonexistent\n\n",
         5},
    };
    for (const auto& c : chips) {
        io = captured_io{};
        simulate(c.cpu);
        pex_driver_seams seams = seams_for(library_kernels());
        EXPECT_EQ(pexmoor_run(&seams), 0);
        std::string lines;
        for (size_t pos = 0, n = 0; n < static_cast<size_t>(c.progress_lines); ++n) {
            size_t end = five_lines.find('\n', pos) + 1;
            lines += five_lines.substr(pos, end - pos);
            pos = end;
        }
        EXPECT_EQ(io.output, banner + lines + c.line + closing);
    }
}

TEST_F(DriverRun, EndOfInputStillExitsWithZero) {
    io.input.clear();
    simulate({chip::i80386, 0, false});
    pex_driver_seams seams = seams_for(library_kernels());
    EXPECT_EQ(pexmoor_run(&seams), 0);
}

TEST(MachineNames, EveryCodeHasAShortName) {
    for (int32_t code = 0; code < 16; ++code) {
        std::string name = machine_name(code);
        EXPECT_FALSE(name.empty());
        EXPECT_LT(name.size(), 32u); // fits the 32-character buffer with its terminator
    }
    EXPECT_STREQ(machine_name(6), "Pentium Pro or Pentium II");
    EXPECT_STREQ(machine_name(15), "family 15 or later processor");
}

TEST_F(DriverRun, MmxPathWithTheWorkedFigures) {
    simulate({chip::with_cpuid, 6, true});
    mmx_enabled = 1; // the run forces it back to 0
    pex_driver_seams seams = seams_for(library_kernels());
    EXPECT_EQ(pexmoor_run(&seams), 0);
    EXPECT_EQ(mmx_enabled, 0);
    EXPECT_EQ(io.output,
              mmx_transcript("ok", "ok",
                             "\n\tBenchmark 1 MMX speed up factor: 5.0.      80.0 mips MMX.\n"
                             "\n\tBenchmark 2 MMX speed up factor: 3.3.      72.0 mips MMX.\n"));
    EXPECT_EQ(stamp_calls, 5);
    EXPECT_TRUE(io.unflushed.empty());
}

TEST_F(DriverRun, FractionalIntervalsFromTheMonotonicClock) {
    simulate({chip::with_cpuid, 6, true});
    set_stamps(0.0, 0.25, 0.3, 0.5, 0.6);
    pex_driver_seams seams = seams_for(library_kernels());
    pexmoor_run(&seams);
    // 0.25 * 5 / 0.05 = 25.0; 16 * 60 / 0.05 = 19200.0; 0.2 * 5 / 0.1 = 10.0; 1080 / 0.1.
    EXPECT_NE(io.output.find("\n\tBenchmark 1 MMX speed up factor: 25.0.     19200.0 mips MMX.\n"),
              std::string::npos)
        << io.output;
    EXPECT_NE(io.output.find("\n\tBenchmark 2 MMX speed up factor: 10.0.     10800.0 mips MMX.\n"),
              std::string::npos)
        << io.output;
}

// Counting kernels: they check that every benchmark iteration really is a call.
int dot_calls, dot_mmx_calls, lincomb_calls, lincomb_mmx_calls;
int16_t counting_dot(const int16_t* p, const int16_t* q, int32_t n) {
    ++dot_calls;
    return fx_dot(p, q, n);
}
int16_t counting_dot_mmx(const int16_t* p, const int16_t* q, int32_t n) {
    ++dot_mmx_calls;
    return fx_dot_mmx(p, q, n);
}
void counting_lincomb(int16_t a, int16_t* d, int16_t b, const int16_t* s, int32_t n) {
    ++lincomb_calls;
    fx_lincomb(a, d, b, s, n);
}
void counting_lincomb_mmx(int16_t a, int16_t* d, int16_t b, const int16_t* s, int32_t n) {
    ++lincomb_mmx_calls;
    fx_lincomb_mmx(a, d, b, s, n);
}

TEST_F(DriverRun, BenchmarksCallEachKernelTheGivenNumberOfTimes) {
    simulate({chip::with_cpuid, 6, true});
    pex_kernels counting = *library_kernels();
    counting.dot = counting_dot;
    counting.dot_mmx = counting_dot_mmx;
    counting.lincomb = counting_lincomb;
    counting.lincomb_mmx = counting_lincomb_mmx;
    dot_calls = dot_mmx_calls = lincomb_calls = lincomb_mmx_calls = 0;
    pex_driver_seams seams = seams_for(&counting);
    pexmoor_run(&seams);
    // One call each from the tests, then the benchmark loops.
    EXPECT_EQ(dot_calls, 1 + 6);
    EXPECT_EQ(dot_mmx_calls, 1 + 30);
    EXPECT_EQ(lincomb_calls, 1 + 45);
    EXPECT_EQ(lincomb_mmx_calls, 1 + 225);
}

// Faulty kernels, one per test: only that test reports "failed".
void bad_add_sat_mmx(int16_t* dst, const int16_t* src, int32_t count) {
    fx_add_sat_mmx(dst, src, count);
    dst[7] = static_cast<int16_t>(dst[7] + 1);
}
void bad_lincomb_mmx(int16_t a, int16_t* d, int16_t b, const int16_t* s, int32_t n) {
    fx_lincomb_mmx(a, d, b, s, n);
    d[15] = static_cast<int16_t>(d[15] ^ 0x0100);
}
// Plain gives -32768 where MMX gives -32767: the reverse of the accepted pair.
void reversed_saturation_lincomb(int16_t a, int16_t* d, int16_t b, const int16_t* s, int32_t n) {
    fx_lincomb(a, d, b, s, n);
    for (int32_t i = 0; i < n; ++i) {
        if (d[i] == -32767)
            d[i] = -32768;
    }
}
void plain_saturation_lincomb_mmx(int16_t a, int16_t* d, int16_t b, const int16_t* s, int32_t n) {
    fx_lincomb_mmx(a, d, b, s, n);
    for (int32_t i = 0; i < n; ++i) {
        if (d[i] == -32768)
            d[i] = -32767;
    }
}
int16_t bad_dot_mmx(const int16_t* p, const int16_t* q, int32_t n) {
    return static_cast<int16_t>(fx_dot_mmx(p, q, n) + 1);
}
void bad_scale_mmx(int16_t* dst, int16_t k, int32_t count) {
    fx_scale_mmx(dst, k, count);
    dst[0] = 0;
}

std::string test_lines(const std::string& output) {
    size_t start = output.find("Test1");
    size_t end = output.find("If you see");
    return output.substr(start, end - start);
}

TEST_F(DriverRun, AWrongKernelFailsOnlyItsTest) {
    simulate({chip::with_cpuid, 6, true});
    pex_kernels bad = *library_kernels();
    bad.add_sat_mmx = bad_add_sat_mmx;
    pex_driver_seams seams = seams_for(&bad);
    EXPECT_EQ(pexmoor_run(&seams), 0);
    EXPECT_EQ(io.output,
              mmx_transcript("ok", "failed",
                             "\n\tBenchmark 1 MMX speed up factor: 5.0.      80.0 mips MMX.\n"
                             "\n\tBenchmark 2 MMX speed up factor: 3.3.      72.0 mips MMX.\n"));
}

TEST_F(DriverRun, EachTestCatchesItsOwnKernel) {
    simulate({chip::with_cpuid, 6, true});
    struct {
        void (*change)(pex_kernels*);
        const char* lines;
    } cases[] = {
        {[](pex_kernels* k) { k->dot_mmx = bad_dot_mmx; },
         "Test1 (dot product): failed\nTest2 (linear combination): ok\nTest3 (add): ok\n"
         "Test4 (scale): ok\n"},
        {[](pex_kernels* k) { k->lincomb_mmx = bad_lincomb_mmx; },
         "Test1 (dot product): ok\nTest2 (linear combination): failed\nTest3 (add): ok\n"
         "Test4 (scale): ok\n"},
        // The reverse pair (plain -32768, MMX -32767) is a disagreement.
        {[](pex_kernels* k) {
             k->lincomb = reversed_saturation_lincomb;
             k->lincomb_mmx = plain_saturation_lincomb_mmx;
         },
         "Test1 (dot product): ok\nTest2 (linear combination): failed\nTest3 (add): ok\n"
         "Test4 (scale): ok\n"},
        // Both forms at -32768 agree.
        {[](pex_kernels* k) { k->lincomb = reversed_saturation_lincomb; },
         "Test1 (dot product): ok\nTest2 (linear combination): ok\nTest3 (add): ok\n"
         "Test4 (scale): ok\n"},
        {[](pex_kernels* k) { k->lincomb_mmx = plain_saturation_lincomb_mmx; },
         "Test1 (dot product): ok\nTest2 (linear combination): ok\nTest3 (add): ok\n"
         "Test4 (scale): ok\n"},
        {[](pex_kernels* k) { k->scale_mmx = bad_scale_mmx; },
         "Test1 (dot product): ok\nTest2 (linear combination): ok\nTest3 (add): ok\n"
         "Test4 (scale): failed\n"},
    };
    for (const auto& c : cases) {
        io = captured_io{};
        set_stamps(100, 112, 124, 134, 149);
        pex_kernels k = *library_kernels();
        c.change(&k);
        pex_driver_seams seams = seams_for(&k);
        EXPECT_EQ(pexmoor_run(&seams), 0);
        EXPECT_EQ(test_lines(io.output), c.lines);
        // The benchmarks run whatever the outcome.
        EXPECT_NE(io.output.find("Benchmark 2 MMX speed up factor"), std::string::npos);
    }
}

// What the kernels of tests 1, 3 and 4 are handed: each of tests 3 and 4 starts from the
// freshly loaded data, not from what the test before it left in the vectors.
std::vector<int16_t> dot_input, add_input, add_mmx_input, add_output, scale_input, scale_mmx_input;
int16_t recording_dot(const int16_t* p, const int16_t* q, int32_t n) {
    if (dot_input.empty())
        dot_input.assign(p, p + n); // test 1, right after the first load
    return fx_dot(p, q, n);
}
void recording_add_sat(int16_t* dst, const int16_t* src, int32_t n) {
    add_input.assign(dst, dst + n);
    fx_add_sat(dst, src, n);
    add_output.assign(dst, dst + n);
}
void recording_add_sat_mmx(int16_t* dst, const int16_t* src, int32_t n) {
    add_mmx_input.assign(dst, dst + n);
    fx_add_sat_mmx(dst, src, n);
}
void recording_scale(int16_t* dst, int16_t k, int32_t n) {
    scale_input.assign(dst, dst + n);
    fx_scale(dst, k, n);
}
void recording_scale_mmx(int16_t* dst, int16_t k, int32_t n) {
    scale_mmx_input.assign(dst, dst + n);
    fx_scale_mmx(dst, k, n);
}

TEST_F(DriverRun, TestsThreeAndFourStartFromReloadedVectors) {
    simulate({chip::with_cpuid, 6, true});
    pex_kernels recording = *library_kernels();
    recording.dot = recording_dot;
    recording.add_sat = recording_add_sat;
    recording.add_sat_mmx = recording_add_sat_mmx;
    recording.scale = recording_scale;
    recording.scale_mmx = recording_scale_mmx;
    dot_input.clear();
    pex_driver_seams seams = seams_for(&recording);
    EXPECT_EQ(pexmoor_run(&seams), 0);
    ASSERT_FALSE(dot_input.empty());
    // Without a reload each test would start from the previous test's results.
    ASSERT_NE(add_output, dot_input);
    EXPECT_EQ(add_input, dot_input);
    EXPECT_EQ(add_mmx_input, dot_input);
    EXPECT_EQ(scale_input, dot_input);
    EXPECT_EQ(scale_mmx_input, dot_input);
}

// The built-in data, checked here once: its Q4.12 forms, and what each pair of kernels gives
// on it. Test 2 passes only through the saturation rule, in exactly four elements.
TEST(DriverData, TheBuiltInDataAndWhatTheKernelsGiveOnIt) {
    const int16_t a_q[vec_len] = {4096,  4096,   4096,  4096,  8602,   -3277, 819,    4506,
                                  -4506, -12861, 17326, -8602, -28672, 28672, -28672, 28672};
    const int16_t b_q[vec_len] = {4096,  4096, 4096, 4096, 451,    17326,  -12861, 11141,
                                  11141, -819, 3277, 451,  -28672, -28672, 28672,  28672};
    int16_t x[vec_len], y[vec_len], z[vec_len];
    auto load = [&] {
        for (int i = 0; i < vec_len; ++i) {
            x[i] = y[i] = fx_from_double(test_values_a[i]);
            z[i] = fx_from_double(test_values_b[i]);
        }
    };
    load();
    for (int i = 0; i < vec_len; ++i) {
        EXPECT_EQ(x[i], a_q[i]) << i;
        EXPECT_EQ(z[i], b_q[i]) << i;
    }
    const int16_t coef_a = fx_from_double(coef_a_value);
    const int16_t coef_b = fx_from_double(coef_b_value);
    EXPECT_EQ(coef_a, 0x31EC);
    EXPECT_EQ(coef_b, static_cast<int16_t>(0xD029));

    mmx_enabled = 0;
    EXPECT_EQ(fx_dot(x, z, vec_len), 16384);
    EXPECT_EQ(fx_dot_mmx(x, z, vec_len), 16384);
    fx_lincomb(coef_a, x, coef_b, z, vec_len);
    fx_lincomb_mmx(coef_a, y, coef_b, z, vec_len);
    for (int i = 0; i < vec_len; ++i) {
        if (i == 5 || i == 8 || i == 9 || i == 14) {
            EXPECT_EQ(x[i], -32767) << i;
            EXPECT_EQ(y[i], -32768) << i;
        } else {
            EXPECT_EQ(x[i], y[i]) << i;
        }
    }
    load();
    fx_add_sat(x, z, vec_len);
    fx_add_sat_mmx(y, z, vec_len);
    for (int i = 0; i < vec_len; ++i)
        EXPECT_EQ(x[i], y[i]) << i;
    load();
    fx_scale(x, coef_a, vec_len);
    fx_scale_mmx(y, coef_a, vec_len);
    for (int i = 0; i < vec_len; ++i)
        EXPECT_EQ(x[i], y[i]) << i;
}

TEST(DriverOptions, HelpAndVersionPrintTheirTextAnythingElseIsAnError) {
    const std::string usage = "Usage: pexmoor [--help | --version]\n";
    const std::string help =
        usage +
        "Identifies the x86 processor and, when it has MMX, checks the MMX routines of its Q4.12\n"
        "fixed-point library against their plain forms and times both; then waits for Enter.\n"
        "\n"
        "  --help     print this text and exit\n"
        "  --version  print the version and exit\n";
    const struct {
        std::vector<const char*> arguments;
        int status;
        std::string output, errors;
    } cases[] = {
        {{"pexmoor"}, -1, "", ""},
        {{}, -1, "", ""}, // Windows: the command line is not looked at
        {{"pexmoor", "--help"}, 0, help, ""},
        {{"pexmoor", "--version"}, 0, "pexmoor 1.0\n", ""},
        {{"pexmoor", "--versio"}, 2, "", "pexmoor: unknown argument '--versio'\n"},
        {{"pexmoor", "--help", "--version"}, 2, "", "pexmoor: unknown argument '--help'\n"},
    };
    for (const auto& c : cases) {
        io = captured_io{};
        const int status = pexmoor_options(
            capture_console(&io), static_cast<int>(c.arguments.size()), c.arguments.data());
        EXPECT_EQ(status, c.status) << c.errors;
        EXPECT_EQ(io.output, c.output);
        EXPECT_EQ(io.errors, c.errors.empty() ? ""
                                              : c.errors + usage +
                                                    "Try 'pexmoor --help' for more information.\n");
        EXPECT_EQ(io.input_read, 0u);
    }
}

TEST(DriverCounts, TheScaleDividesEveryCount) {
    const struct {
        const char* scale;
        int32_t divisor;
    } cases[] = {{nullptr, 1}, {"100", 100}, {"999999999", 999999999}, {"", 1}, {"0", 1},
                 {"+5", 1},    {"5x", 1},    {"0000000100", 1}};
    for (const auto& c : cases) {
        const pex_bench_counts counts = scaled_bench_counts(c.scale);
        EXPECT_EQ(counts.dot_plain, 6000000 / c.divisor) << (c.scale ? c.scale : "(unset)");
        EXPECT_EQ(counts.dot_mmx, 30000000 / c.divisor);
        EXPECT_EQ(counts.lincomb_plain, 4500000 / c.divisor);
        EXPECT_EQ(counts.lincomb_mmx, 22500000 / c.divisor);
    }
}

} // namespace
