// Plain kernels against their MMX forms on 16-element Q4.12 vectors: time per call and
// elements per second. The plain forms are called through the dispatching entry points with
// mmx_enabled at 0, the MMX forms directly, as the self-test program does.
#include "fixed_point.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

namespace {

constexpr int32_t kLength = 16;
using Vector = std::array<int16_t, kLength>;

// The self-test program's data in Q4.12 form.
constexpr Vector kFirst = {4096,  4096,   4096,  4096,  8602,   -3277, 819,    4506,
                           -4506, -12861, 17326, -8602, -28672, 28672, -28672, 28672};
constexpr Vector kSecond = {4096,  4096, 4096, 4096, 451,    17326,  -12861, 11141,
                            11141, -819, 3277, 451,  -28672, -28672, 28672,  28672};
constexpr int16_t kCoefA = 12780;  // 3.12
constexpr int16_t kCoefB = -12247; // -2.99

void finish(benchmark::State& state) {
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kLength);
}

void BM_dot_plain(benchmark::State& state) {
    mmx_enabled = 0;
    Vector p = kFirst;
    Vector q = kSecond;
    for (auto _ : state) {
        benchmark::DoNotOptimize(p.data());
        benchmark::DoNotOptimize(q.data());
        int16_t result = fx_dot(p.data(), q.data(), kLength);
        benchmark::DoNotOptimize(result);
    }
    finish(state);
}

void BM_dot_mmx(benchmark::State& state) {
    Vector p = kFirst;
    Vector q = kSecond;
    for (auto _ : state) {
        benchmark::DoNotOptimize(p.data());
        benchmark::DoNotOptimize(q.data());
        int16_t result = fx_dot_mmx(p.data(), q.data(), kLength);
        benchmark::DoNotOptimize(result);
    }
    finish(state);
}

void BM_lincomb_plain(benchmark::State& state) {
    mmx_enabled = 0;
    Vector dst = kFirst;
    Vector src = kSecond;
    for (auto _ : state) {
        benchmark::DoNotOptimize(src.data());
        fx_lincomb(kCoefA, dst.data(), kCoefB, src.data(), kLength);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(dst.data());
    finish(state);
}

void BM_lincomb_mmx(benchmark::State& state) {
    Vector dst = kFirst;
    Vector src = kSecond;
    for (auto _ : state) {
        benchmark::DoNotOptimize(src.data());
        fx_lincomb_mmx(kCoefA, dst.data(), kCoefB, src.data(), kLength);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(dst.data());
    finish(state);
}

void BM_add_sat_plain(benchmark::State& state) {
    mmx_enabled = 0;
    Vector dst = kFirst;
    Vector src = kSecond;
    for (auto _ : state) {
        benchmark::DoNotOptimize(src.data());
        fx_add_sat(dst.data(), src.data(), kLength);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(dst.data());
    finish(state);
}

void BM_add_sat_mmx(benchmark::State& state) {
    Vector dst = kFirst;
    Vector src = kSecond;
    for (auto _ : state) {
        benchmark::DoNotOptimize(src.data());
        fx_add_sat_mmx(dst.data(), src.data(), kLength);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(dst.data());
    finish(state);
}

void BM_scale_plain(benchmark::State& state) {
    mmx_enabled = 0;
    Vector dst = kFirst;
    for (auto _ : state) {
        fx_scale(dst.data(), kCoefA, kLength);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(dst.data());
    finish(state);
}

void BM_scale_mmx(benchmark::State& state) {
    Vector dst = kFirst;
    for (auto _ : state) {
        fx_scale_mmx(dst.data(), kCoefA, kLength);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(dst.data());
    finish(state);
}

} // namespace

BENCHMARK(BM_dot_plain);
BENCHMARK(BM_dot_mmx);
BENCHMARK(BM_lincomb_plain);
BENCHMARK(BM_lincomb_mmx);
BENCHMARK(BM_add_sat_plain);
BENCHMARK(BM_add_sat_mmx);
BENCHMARK(BM_scale_plain);
BENCHMARK(BM_scale_mmx);

BENCHMARK_MAIN();
