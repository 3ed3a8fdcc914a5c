// The test and benchmark run of Pexmoor: identify the processor and, when it has MMX,
// check four kernels in plain and MMX form against each other, time two of them and
// print the speed-up. Everything the run touches outside itself comes through seams.
#pragma once

#include <cstdint>

#include "platform.h"

// The kernels under test, plain (dispatching) and MMX forms.
struct pex_kernels {
    int16_t (*dot)(const int16_t* p, const int16_t* q, int32_t count);
    int16_t (*dot_mmx)(const int16_t* p, const int16_t* q, int32_t count);
    void (*lincomb)(int16_t a, int16_t* dst, int16_t b, const int16_t* src, int32_t count);
    void (*lincomb_mmx)(int16_t a, int16_t* dst, int16_t b, const int16_t* src, int32_t count);
    void (*add_sat)(int16_t* dst, const int16_t* src, int32_t count);
    void (*add_sat_mmx)(int16_t* dst, const int16_t* src, int32_t count);
    void (*scale)(int16_t* dst, int16_t k, int32_t count);
    void (*scale_mmx)(int16_t* dst, int16_t k, int32_t count);
};

// Number of calls in each timed loop.
struct pex_bench_counts {
    int32_t dot_plain;
    int32_t dot_mmx;
    int32_t lincomb_plain;
    int32_t lincomb_mmx;
};

// The counts the program runs with: five MMX calls for every plain call.
constexpr pex_bench_counts PEX_FULL_BENCH = {6000000, 30000000, 4500000, 22500000};

struct pex_driver_seams {
    const pex_console* console;
    int32_t (*detect)(); // the generation code (prints its own progress lines)
    double (*now)();     // seconds from a monotonic clock
    const pex_kernels* kernels;
    pex_bench_counts counts;
};

// The library's kernels.
const pex_kernels* library_kernels();

// The counts scaled down by the testing aid PEXMOOR_BENCH_SCALE: `scale` (its value, or null
// when it is not set) of one to nine decimal digits and at least 1 divides every count by
// it; anything else leaves the full counts.
pex_bench_counts scaled_bench_counts(const char* scale);

// The command line, before the run: "--help" or "--version" alone prints its text on
// standard output and gives exit status 0; any other argument gives the usage on standard
// error and status 2; no argument at all gives -1, for the run.
int pexmoor_options(const pex_console* console, int argc, const char* const* argv);

// The machine name for a generation code 0 to 15 (16 or more is taken modulo 16).
const char* machine_name(int32_t generation);

// The whole run, ending with one character read; returns the exit status (always 0).
int pexmoor_run(const pex_driver_seams* seams);

// The built-in data the vectors are loaded from (vec_len values each), and the coefficients.
constexpr int32_t vec_len = 16;
extern const double test_values_a[vec_len];
extern const double test_values_b[vec_len];
constexpr double coef_a_value = 3.12;
constexpr double coef_b_value = -2.99;

// Results the benchmark loops store on every call (process-wide).
extern int16_t plain_result;
extern int16_t mmx_result;
