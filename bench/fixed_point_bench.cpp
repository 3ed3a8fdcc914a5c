// Plain kernels against their MMX forms on 16-element Q4.12 vectors: time per call, cycles
// per call and elements per second. The plain forms are called through the dispatching entry
// points with mmx_enabled at 0, the MMX forms directly, as the self-test program does.
//
// Cycles come from the time-stamp counter, read around each timed run (counter tsc). The
// counter ticks at a fixed rate, not at the core's clock, so the ticks are converted into
// core cycles (counter cycles) at the measured ratio of the two rates: the counter's rate
// is measured against the steady clock, the core's by timing a chain of dependent additions
// (one per cycle). Both rates are reported (tsc_GHz, core_GHz).
//
// Figures worth comparing are the medians of interleaved repetitions:
//   fixed_point_bench --benchmark_repetitions=9 --benchmark_enable_random_interleaving=true
//                     --benchmark_report_aggregates_only=true
#include "fixed_point.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <thread>
#include <x86intrin.h>

namespace {

constexpr int32_t kLength = 16;

// The self-test program's data in Q4.12 form.
constexpr int16_t kFirst[kLength] = {4096,  4096,   4096,  4096,  8602,   -3277, 819,    4506,
                                     -4506, -12861, 17326, -8602, -28672, 28672, -28672, 28672};
constexpr int16_t kSecond[kLength] = {4096,  4096, 4096, 4096, 451,    17326,  -12861, 11141,
                                      11141, -819, 3277, 451,  -28672, -28672, 28672,  28672};
constexpr int16_t kCoefA = 12780;  // 3.12
constexpr int16_t kCoefB = -12247; // -2.99

// Process-wide vectors, as in the self-test program (static arrays, which the ABI aligns).
int16_t vec_x[kLength];
int16_t vec_z[kLength];

void load_vectors() {
    std::memcpy(vec_x, kFirst, sizeof vec_x);
    std::memcpy(vec_z, kSecond, sizeof vec_z);
}

uint64_t tsc_now() {
    return __rdtsc();
}

// Seconds of the steady clock that body takes.
template <typename Body>
double seconds_of(Body body) {
    using clock = std::chrono::steady_clock;
    const auto t0 = clock::now();
    body();
    return std::chrono::duration<double>(clock::now() - t0).count();
}

struct Rates {
    double tsc;  // time-stamp counter ticks per second
    double core; // core cycles per second
};

// Measured once: the counter over 100 ms of the steady clock, the core over 2^27 dependent
// additions (eight per loop step; a dependent addition takes one cycle).
const Rates& rates() {
    static const Rates measured = [] {
        Rates r{};
        uint64_t c0 = 0;
        uint64_t c1 = 0;
        const double tsc_seconds = seconds_of([&] {
            c0 = tsc_now();
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            c1 = tsc_now();
        });
        r.tsc = static_cast<double>(c1 - c0) / tsc_seconds;
        constexpr long kSteps = 1L << 24;
        const double core_seconds = seconds_of([] {
            uint64_t x = 0;
            long n = kSteps;
            __asm__ volatile("1:\n\t"
                             "add $1, %0\n\tadd $1, %0\n\tadd $1, %0\n\tadd $1, %0\n\t"
                             "add $1, %0\n\tadd $1, %0\n\tadd $1, %0\n\tadd $1, %0\n\t"
                             "dec %1\n\t"
                             "jnz 1b"
                             : "+r"(x), "+r"(n)
                             :
                             : "cc");
        });
        r.core = 8.0 * static_cast<double>(kSteps) / core_seconds;
        return r;
    }();
    return measured;
}

// Runs body once per benchmark iteration and reports ticks and cycles per call.
template <typename Body>
void timed(benchmark::State& state, Body body) {
    const Rates& r = rates(); // calibrate outside the timed loop
    const uint64_t start = tsc_now();
    for (auto _ : state) {
        body();
    }
    const uint64_t stop = tsc_now();
    const auto calls = static_cast<double>(state.iterations());
    const double ticks = calls > 0 ? static_cast<double>(stop - start) / calls : 0.0;
    state.counters["tsc"] = ticks;
    state.counters["cycles"] = ticks * r.core / r.tsc;
    state.counters["tsc_GHz"] = r.tsc / 1e9;
    state.counters["core_GHz"] = r.core / 1e9;
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kLength);
}

// One call of a kernel on the vectors per iteration.
template <typename Kernel>
void BM_kernel(benchmark::State& state, Kernel kernel) {
    mmx_enabled = 0;
    load_vectors();
    timed(state, [&] {
        kernel();
        benchmark::ClobberMemory();
    });
}

} // namespace

BENCHMARK_CAPTURE(BM_kernel, dot_plain,
                  [] { benchmark::DoNotOptimize(fx_dot(vec_x, vec_z, kLength)); });
BENCHMARK_CAPTURE(BM_kernel, dot_mmx,
                  [] { benchmark::DoNotOptimize(fx_dot_mmx(vec_x, vec_z, kLength)); });
BENCHMARK_CAPTURE(BM_kernel, lincomb_plain,
                  [] { fx_lincomb(kCoefA, vec_x, kCoefB, vec_z, kLength); });
BENCHMARK_CAPTURE(BM_kernel, lincomb_mmx,
                  [] { fx_lincomb_mmx(kCoefA, vec_x, kCoefB, vec_z, kLength); });
BENCHMARK_CAPTURE(BM_kernel, add_sat_plain, [] { fx_add_sat(vec_x, vec_z, kLength); });
BENCHMARK_CAPTURE(BM_kernel, add_sat_mmx, [] { fx_add_sat_mmx(vec_x, vec_z, kLength); });
BENCHMARK_CAPTURE(BM_kernel, scale_plain, [] { fx_scale(vec_x, kCoefA, kLength); });
BENCHMARK_CAPTURE(BM_kernel, scale_mmx, [] { fx_scale_mmx(vec_x, kCoefA, kLength); });

BENCHMARK_MAIN();
