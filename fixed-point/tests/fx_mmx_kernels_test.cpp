// The MMX kernels: worked values, loops over all 65,536 values, the group rule with padding
// and guard elements, the floating-point state after each kernel, and dispatch.
#include "fixed_point.h"
#include "fx_mmx_lanes.h"
#include "fx_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace fx_test;

namespace {

class MmxKernels : public ::testing::Test {
protected:
    void SetUp() override { mmx_enabled = 0; }
    void TearDown() override { mmx_enabled = 0; }
};

} // namespace

TEST_F(MmxKernels, DotWorkedValues) {
    const int16_t ones[4] = {0x1000, 0x1000, 0x1000, 0x1000};
    EXPECT_EQ(fx_dot_mmx(ones, ones, 4), 0x4000);
    const int16_t min[4] = {INT16_MIN, INT16_MIN, INT16_MIN, INT16_MIN};
    EXPECT_EQ(fx_dot_mmx(min, min, 4), h(0x8000)); // pair overflow
    EXPECT_EQ(fx_dot(min, min, 4), 0x7FFF);
    std::vector<int16_t> max(16, 0x7FFF);
    EXPECT_EQ(fx_dot_mmx(max.data(), max.data(), 16), 0x7FFF);
    const int16_t p[4] = {40, -19, 34, 16};
    const int16_t q[4] = {34, -22, 37, -7};
    EXPECT_EQ(fx_dot_mmx(p, q, 4), 1);
    EXPECT_EQ(fx_dot(p, q, 4), 0);
    std::vector<int16_t> low(16, INT16_MIN);
    EXPECT_EQ(fx_dot_mmx(low.data(), max.data(), 16), h(0x8000)); // plain gives 0x8001
}

TEST_F(MmxKernels, LincombWorkedValues) {
    int16_t mmx[4] = {h(0x9000), 0x7000, 0x2000, 0};
    int16_t plain[4] = {h(0x9000), 0x7000, 0x2000, 0};
    const int16_t src[4] = {h(0x9000), 0x7000, 0x1000, 0};
    fx_lincomb_mmx(0x1000, mmx, 0x1000, src, 4);
    fx_lincomb(0x1000, plain, 0x1000, src, 4);
    EXPECT_EQ(mmx[0], h(0x8000));
    EXPECT_EQ(plain[0], h(0x8001));
    EXPECT_EQ(mmx[1], 0x7FFF);
    EXPECT_EQ(plain[1], 0x7FFF);
    EXPECT_EQ(mmx[2], 0x3000);
    EXPECT_EQ(mmx[3], 0);
    int16_t all_min[4] = {INT16_MIN, 0, 0, 0};
    const int16_t src_min[4] = {INT16_MIN, 0, 0, 0};
    fx_lincomb_mmx(INT16_MIN, all_min, INT16_MIN, src_min, 4); // 2^31 wraps to -2^31
    EXPECT_EQ(all_min[0], h(0x8000));
}

TEST_F(MmxKernels, ScaleAndAddSatWorkedValues) {
    int16_t scaled[4] = {h(0x8000), h(0x8000), 0x1234, -0x4321};
    fx_scale_mmx(scaled, 0x1000, 4);
    EXPECT_EQ(scaled[0], h(0x8001));
    EXPECT_EQ(scaled[1], h(0x8001));
    EXPECT_EQ(scaled[2], 0x1234);
    EXPECT_EQ(scaled[3], -0x4321);
    int16_t marker[4] = {h(0x8000), 0, 0, 0};
    fx_scale_mmx(marker, h(0x8000), 4);
    EXPECT_EQ(marker[0], 0x7FFF);
    int16_t sums[4] = {0x7FFF, h(0x8000), 0x7FFF, 1};
    const int16_t src[4] = {0x7FFF, h(0xFFFF), h(0x8000), 2};
    fx_add_sat_mmx(sums, src, 4);
    EXPECT_EQ(sums[0], 0x7FFF);
    EXPECT_EQ(sums[1], h(0x8000));
    EXPECT_EQ(sums[2], h(0xFFFF));
    EXPECT_EQ(sums[3], 3);
}

TEST_F(MmxKernels, ScaleAndAddSatAllValuesIdenticalToPlain) {
    std::mt19937 rng(51);
    const std::vector<int16_t> everything = all_values();
    const int32_t n = static_cast<int32_t>(everything.size());
    for (int16_t k : operand_set(rng, 24)) {
        std::vector<int16_t> mmx = everything;
        std::vector<int16_t> plain = everything;
        fx_scale_mmx(mmx.data(), k, n);
        fx_scale(plain.data(), k, n);
        std::vector<int16_t> sum_mmx = everything;
        std::vector<int16_t> sum_plain = everything;
        const std::vector<int16_t> src(everything.size(), k);
        fx_add_sat_mmx(sum_mmx.data(), src.data(), n);
        fx_add_sat(sum_plain.data(), src.data(), n);
        for (size_t i = 0; i < everything.size(); ++i) {
            ASSERT_EQ(mmx[i], ref_mul(everything[i], k)) << everything[i] << " * " << k;
            ASSERT_EQ(mmx[i], plain[i]);
            ASSERT_EQ(sum_mmx[i], ref_add_sat(everything[i], k));
            ASSERT_EQ(sum_mmx[i], sum_plain[i]);
        }
    }
}

TEST_F(MmxKernels, LincombAllValuesAgainstReferenceAndPlain) {
    std::mt19937 rng(52);
    const std::vector<int16_t> everything = all_values();
    const std::vector<int16_t> set = operand_set(rng, 2);
    const int32_t n = static_cast<int32_t>(everything.size());
    for (int16_t a : set) {
        for (int16_t b : set) {
            for (int16_t fixed : set) {
                std::vector<int16_t> mmx = everything;
                std::vector<int16_t> plain = everything;
                const std::vector<int16_t> src(everything.size(), fixed);
                fx_lincomb_mmx(a, mmx.data(), b, src.data(), n);
                fx_lincomb(a, plain.data(), b, src.data(), n);
                std::vector<int16_t> mmx2(everything.size(), fixed);
                fx_lincomb_mmx(a, mmx2.data(), b, everything.data(), n);
                std::vector<int16_t> expected(everything.size());
                std::vector<int16_t> expected2(everything.size());
                for (size_t i = 0; i < everything.size(); ++i) {
                    expected[i] = ref_lincomb_mmx(a, everything[i], b, fixed);
                    expected2[i] = ref_lincomb_mmx(a, fixed, b, everything[i]);
                    // plain and MMX agree except plain 0x8001 where MMX gives 0x8000
                    if (plain[i] == h(0x8001) && expected[i] == h(0x8000)) {
                        plain[i] = h(0x8000);
                    }
                }
                ASSERT_EQ(mmx, expected) << "a " << a << " b " << b << " src " << fixed;
                ASSERT_EQ(mmx2, expected2) << "a " << a << " b " << b << " dst " << fixed;
                ASSERT_EQ(mmx, plain) << "a " << a << " b " << b << " src " << fixed;
            }
        }
    }
}

// A count of 5 handles two whole groups: elements 5 to 7 are written (dot: counted), the
// elements after the second group are not touched.
TEST_F(MmxKernels, CountOfFiveHandlesEightElements) {
    GuardedVector dst(8, 1);
    GuardedVector src(8, 3);
    for (int i = 0; i < 8; ++i) {
        dst.data()[i] = static_cast<int16_t>(0x0100 * (i + 1));
        src.data()[i] = 0x1000;
    }
    fx_add_sat_mmx(dst.data(), src.data(), 5);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(dst.data()[i], 0x0100 * (i + 1) + 0x1000) << i;
    }
    EXPECT_TRUE(dst.guards_intact());
    EXPECT_TRUE(src.guards_intact());

    fx_scale_mmx(dst.data(), 0x2000, 5);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(dst.data()[i], 2 * (0x0100 * (i + 1) + 0x1000)) << i;
    }
    fx_lincomb_mmx(0x0800, dst.data(), 0x1000, src.data(), 5);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(dst.data()[i], 0x0100 * (i + 1) + 0x1000 + 0x1000) << i;
    }
    EXPECT_TRUE(dst.guards_intact());
    // dot: with 0.5 * 1.0 in every element, count 5 sums eight products (4.0).
    for (int i = 0; i < 8; ++i) {
        dst.data()[i] = 0x0800;
    }
    EXPECT_EQ(fx_dot_mmx(dst.data(), src.data(), 5), 0x4000);
    EXPECT_EQ(fx_dot_mmx(dst.data(), src.data(), 4), 0x2000);
    EXPECT_TRUE(dst.guards_intact());
    EXPECT_TRUE(src.guards_intact());
}

// ---- floating point after the kernels ----

#if defined(__i386__) || defined(__x86_64__)
#if defined(__MMX__)
#define FX_TEST_MMX_CLOBBERS                                                                       \
    "mm0", "st", "st(1)", "st(2)", "st(3)", "st(4)", "st(5)", "st(6)", "st(7)"
#else
#define FX_TEST_MMX_CLOBBERS "st", "st(1)", "st(2)", "st(3)", "st(4)", "st(5)", "st(6)", "st(7)"
#endif
#endif

namespace {

volatile long double x87_a = 1.5L;
volatile long double x87_b = 3.25L;

// Extended-precision arithmetic runs on the x87 registers, which the MMX registers share:
// after MMX code without EMMS every x87 load overflows the stack and yields NaN.
__attribute__((noinline)) long double x87_arithmetic() {
    const long double a = x87_a;
    const long double b = x87_b;
    return a * b + a / b;
}

bool x87_works() {
    const long double r = x87_arithmetic();
    return std::fabs(static_cast<double>(r - (1.5L * 3.25L + 1.5L / 3.25L))) < 1e-12;
}

} // namespace

#if defined(__i386__) || defined(__x86_64__)
// The check below detects a missing EMMS: MMX code left without it breaks x87 arithmetic.
TEST_F(MmxKernels, FloatingPointCheckDetectsMissingEmms) {
    ASSERT_TRUE(x87_works());
    __asm__ volatile("pxor %%mm0, %%mm0" ::: FX_TEST_MMX_CLOBBERS);
    const bool works_without_emms = x87_works();
    __asm__ volatile("emms\n\tfnclex" ::: FX_TEST_MMX_CLOBBERS);
    EXPECT_FALSE(works_without_emms);
    EXPECT_TRUE(x87_works());
}
#endif

TEST_F(MmxKernels, FloatingPointWorksAfterEachKernel) {
    int16_t v[8] = {0x1000, -0x2000, 0x7FFF, INT16_MIN, 5, 6, 7, 8};
    const int16_t w[8] = {0x0800, 0x0800, 0x0800, 0x0800, 1, 2, 3, 4};
    volatile int16_t sink = fx_dot_mmx(v, w, 8);
    EXPECT_TRUE(x87_works()) << "after fx_dot_mmx";
    EXPECT_EQ(sink, fx_dot_lanes(v, w, 8));
    fx_lincomb_mmx(0x1000, v, 0x0800, w, 8);
    EXPECT_TRUE(x87_works()) << "after fx_lincomb_mmx";
    fx_add_sat_mmx(v, w, 8);
    EXPECT_TRUE(x87_works()) << "after fx_add_sat_mmx";
    fx_scale_mmx(v, 0x0C00, 8);
    EXPECT_TRUE(x87_works()) << "after fx_scale_mmx";
    // double arithmetic too (x87 on 32-bit builds)
    volatile double d = 2.5;
    fx_scale_mmx(v, 0x0C00, 8);
    EXPECT_EQ(d * 4.0, 10.0);
}

// ---- dispatch ----

TEST_F(MmxKernels, DispatchWithFlagSetGivesMmxResults) {
    const int16_t p[4] = {40, -19, 34, 16};
    const int16_t q[4] = {34, -22, 37, -7};
    mmx_enabled = 1;
    EXPECT_EQ(fx_dot(p, q, 4), 1);
    int16_t lin[4] = {h(0x9000), 0, 0, 0};
    const int16_t src[4] = {h(0x9000), 0, 0, 0};
    fx_lincomb(0x1000, lin, 0x1000, src, 4);
    EXPECT_EQ(lin[0], h(0x8000));
    // count 1: only the MMX form writes the rest of the group
    int16_t sums[4] = {1, 1, 1, 1};
    const int16_t ones[4] = {1, 1, 1, 1};
    fx_add_sat(sums, ones, 1);
    EXPECT_EQ(sums[3], 2);
    int16_t scaled[4] = {0x1000, 0x1000, 0x1000, 0x1000};
    fx_scale(scaled, 0x2000, 1);
    EXPECT_EQ(scaled[3], 0x2000);
    mmx_enabled = -7; // any nonzero value
    EXPECT_EQ(fx_dot(p, q, 4), 1);
    mmx_enabled = 0;
    EXPECT_EQ(fx_dot(p, q, 4), 0);
    int16_t plain_sums[4] = {1, 1, 1, 1};
    fx_add_sat(plain_sums, ones, 1);
    EXPECT_EQ(plain_sums[0], 2);
    EXPECT_EQ(plain_sums[3], 1);
}
