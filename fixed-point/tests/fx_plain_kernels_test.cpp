// Plain paths of fx_dot, fx_lincomb, fx_add_sat and fx_scale (mmx_enabled = 0): worked
// values and loops over all 65,536 values of one operand against the reference formulas.
#include "fixed_point.h"
#include "fx_test_support.h"

#include <gtest/gtest.h>

#include <vector>

using namespace fx_test;

namespace {

class PlainKernels : public ::testing::Test {
protected:
    void SetUp() override { mmx_enabled = 0; }
};

} // namespace

TEST_F(PlainKernels, DotWorkedValues) {
    const int16_t ones[4] = {0x1000, 0x1000, 0x1000, 0x1000};
    EXPECT_EQ(fx_dot(ones, ones, 4), 0x4000);

    const int16_t p[4] = {40, -19, 34, 16};
    const int16_t q[4] = {34, -22, 37, -7};
    EXPECT_EQ(fx_dot(p, q, 4), 0);

    std::vector<int16_t> max(16, 0x7FFF);
    std::vector<int16_t> min(16, INT16_MIN);
    EXPECT_EQ(fx_dot(max.data(), max.data(), 16), 0x7FFF);
    EXPECT_EQ(fx_dot(min.data(), max.data(), 16), h(0x8001));
    EXPECT_EQ(fx_dot(min.data(), min.data(), 4), 0x7FFF);
}

TEST_F(PlainKernels, DotAgainstReferenceOnRandomVectors) {
    std::mt19937 rng(21);
    for (int round = 0; round < 20000; ++round) {
        const int32_t count = 1 + static_cast<int32_t>(rng() % 64);
        std::vector<int16_t> p(static_cast<size_t>(count));
        std::vector<int16_t> q(static_cast<size_t>(count));
        for (int32_t i = 0; i < count; ++i) {
            p[static_cast<size_t>(i)] = edge_biased(rng);
            q[static_cast<size_t>(i)] = edge_biased(rng);
        }
        ASSERT_EQ(fx_dot(p.data(), q.data(), count), ref_dot(p.data(), q.data(), count));
    }
}

TEST_F(PlainKernels, DotWrapsItsSumForLongVectors) {
    // 4096 products of 2^30 floor to 2^21 each: the 32-bit sum wraps to 2^33 mod 2^32 = 0.
    std::vector<int16_t> min(4096, INT16_MIN);
    EXPECT_EQ(fx_dot(min.data(), min.data(), 4096), ref_dot(min.data(), min.data(), 4096));
    EXPECT_EQ(fx_dot(min.data(), min.data(), 4096), 0);
    // 1024 of them sum to 2^31, which wraps to -2^31: the result clamps to -32767.
    EXPECT_EQ(fx_dot(min.data(), min.data(), 1024), h(0x8001));
    EXPECT_EQ(fx_dot(min.data(), min.data(), 1023), 0x7FFF);
}

TEST_F(PlainKernels, LincombWorkedValues) {
    int16_t dst[2] = {0x2000, h(0x9000)};
    const int16_t src[2] = {0x1000, h(0x9000)};
    fx_lincomb(0x1000, dst, 0x0800, src, 1);
    EXPECT_EQ(dst[0], 0x2800);
    EXPECT_EQ(dst[1], h(0x9000)); // count 1: only one element
    fx_lincomb(0x1000, dst + 1, 0x1000, src + 1, 1);
    EXPECT_EQ(dst[1], h(0x8001));

    int16_t all_min[1] = {INT16_MIN};
    const int16_t src_min[1] = {INT16_MIN};
    fx_lincomb(INT16_MIN, all_min, INT16_MIN, src_min, 1); // 2^31 wraps to -2^31
    EXPECT_EQ(all_min[0], h(0x8001));
}

TEST_F(PlainKernels, LincombAllValuesAgainstReference) {
    std::mt19937 rng(22);
    const std::vector<int16_t> everything = all_values();
    const std::vector<int16_t> set = operand_set(rng, 2);
    std::vector<int16_t> dst;
    std::vector<int16_t> other(everything.size());
    const int32_t n = static_cast<int32_t>(everything.size());
    std::vector<int16_t> expected(everything.size());
    for (int16_t a : set) {
        for (int16_t b : set) {
            for (int16_t fixed : set) {
                // every destination value against a fixed source
                dst = everything;
                other.assign(everything.size(), fixed);
                fx_lincomb(a, dst.data(), b, other.data(), n);
                for (size_t i = 0; i < everything.size(); ++i) {
                    expected[i] = ref_lincomb(a, everything[i], b, fixed);
                }
                ASSERT_EQ(dst, expected) << "a " << a << " b " << b << " src " << fixed;
                // every source value against a fixed destination
                dst.assign(everything.size(), fixed);
                fx_lincomb(a, dst.data(), b, everything.data(), n);
                for (size_t i = 0; i < everything.size(); ++i) {
                    expected[i] = ref_lincomb(a, fixed, b, everything[i]);
                }
                ASSERT_EQ(dst, expected) << "a " << a << " b " << b << " dst " << fixed;
            }
        }
    }
}

TEST_F(PlainKernels, AddSatWorkedValues) {
    int16_t dst[7] = {0x7FFF, h(0x8000), h(0x8000), 0x7000, h(0x9000), h(0x8000), 0x7FFF};
    const int16_t src[7] = {0x7FFF, h(0x8000), h(0xFFFF), 0x2000, h(0xE000), 0x0001, h(0x8000)};
    fx_add_sat(dst, src, 7);
    const int16_t expected[7] = {0x7FFF,    h(0x8000), h(0x8000), 0x7FFF,
                                 h(0x8000), h(0x8001), h(0xFFFF)};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(dst[i], expected[i]) << i;
    }
}

TEST_F(PlainKernels, AddSatAllValuesAgainstReference) {
    std::mt19937 rng(23);
    const std::vector<int16_t> everything = all_values();
    const int32_t n = static_cast<int32_t>(everything.size());
    for (int16_t fixed : operand_set(rng, 24)) {
        std::vector<int16_t> dst = everything;
        const std::vector<int16_t> src(everything.size(), fixed);
        fx_add_sat(dst.data(), src.data(), n);
        for (int32_t i = 0; i < n; ++i) {
            ASSERT_EQ(dst[size_t(i)], ref_add_sat(everything[size_t(i)], fixed));
        }
        std::vector<int16_t> dst2(everything.size(), fixed);
        fx_add_sat(dst2.data(), everything.data(), n);
        for (int32_t i = 0; i < n; ++i) {
            ASSERT_EQ(dst2[size_t(i)], ref_add_sat(fixed, everything[size_t(i)]));
        }
    }
}

TEST_F(PlainKernels, ScaleAllValuesAgainstReference) {
    std::mt19937 rng(24);
    const std::vector<int16_t> everything = all_values();
    const int32_t n = static_cast<int32_t>(everything.size());
    for (int16_t k : operand_set(rng, 24)) {
        std::vector<int16_t> dst = everything;
        fx_scale(dst.data(), k, n);
        for (int32_t i = 0; i < n; ++i) {
            ASSERT_EQ(dst[size_t(i)], ref_mul(everything[size_t(i)], k));
            ASSERT_NE(dst[size_t(i)], INT16_MIN);
        }
    }
    int16_t marker[1] = {INT16_MIN};
    fx_scale(marker, 0x1000, 1);
    EXPECT_EQ(marker[0], h(0x8001));
}

TEST_F(PlainKernels, SameArrayAsBothOperands) {
    int16_t v[3] = {0x1000, 0x7000, h(0x9000)};
    fx_add_sat(v, v, 3);
    EXPECT_EQ(v[0], 0x2000);
    EXPECT_EQ(v[1], 0x7FFF);
    EXPECT_EQ(v[2], h(0x8000));
    int16_t w[2] = {0x1000, 0x0800};
    fx_lincomb(0x1000, w, 0x1000, w, 2);
    EXPECT_EQ(w[0], 0x2000);
    EXPECT_EQ(w[1], 0x1000);
}
