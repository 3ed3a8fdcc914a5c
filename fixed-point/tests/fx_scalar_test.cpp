// fx_add, fx_mul and fx_amplify: worked values and exhaustive loops against the reference.
#include "fixed_point.h"
#include "fx_test_support.h"

#include <gtest/gtest.h>

using namespace fx_test;

TEST(FxAdd, ExactSumOverAllValues) {
    std::mt19937 rng(11);
    for (int16_t b : operand_set(rng, 24)) {
        for (int32_t a = INT16_MIN; a <= INT16_MAX; ++a) {
            ASSERT_EQ(fx_add(static_cast<int16_t>(a), b), a + int32_t{b}) << a << " + " << b;
        }
    }
    EXPECT_EQ(fx_add(INT16_MIN, INT16_MIN), -65536);
    EXPECT_EQ(fx_add(INT16_MAX, INT16_MAX), 65534);
}

TEST(FxMul, WorkedValues) {
    EXPECT_EQ(fx_mul(0x1000, 0x1000), 0x1000);
    EXPECT_EQ(fx_mul(0x0800, 0x0800), 0x0400);
    EXPECT_EQ(fx_mul(0x0001, 0x0800), 0x0001);
    EXPECT_EQ(fx_mul(h(0xFFFF), 0x0800), 0x0000);
    EXPECT_EQ(fx_mul(0x7FFF, 0x7FFF), 0x7FFF);
    EXPECT_EQ(fx_mul(h(0x8000), h(0x8000)), 0x7FFF);
    EXPECT_EQ(fx_mul(h(0x8000), 0x7FFF), h(0x8001));
}

TEST(FxMul, RoundingOfHalves) {
    // raw products 2048 -> 1, -2048 -> 0, -2049 -> -1
    EXPECT_EQ(fx_mul(1, 2048), 1);
    EXPECT_EQ(fx_mul(-1, 2048), 0);
    EXPECT_EQ(fx_mul(-2049, 1), -1);
}

TEST(FxMul, ClampThresholdOnTheProduct) {
    // P >= 0x7FFF800 gives 0x7FFF; P < -0x7FFF800 gives 0x8001.
    EXPECT_EQ(fx_mul(0x7FFF, 0x1000), 0x7FFF);   // P = 0x7FFF000
    EXPECT_EQ(fx_mul(0x4000, 0x2000), 0x7FFF);   // P = 0x8000000
    EXPECT_EQ(fx_mul(-0x7FFF, 0x1000), -0x7FFF); // P = -0x7FFF000
    EXPECT_EQ(fx_mul(-0x4000, 0x2000), -0x7FFF);
}

TEST(FxMul, AllValuesAgainstReference) {
    std::mt19937 rng(12);
    for (int16_t b : operand_set(rng, 40)) {
        for (int32_t a = INT16_MIN; a <= INT16_MAX; ++a) {
            const int16_t x = static_cast<int16_t>(a);
            ASSERT_EQ(fx_mul(x, b), ref_mul(x, b)) << a << " * " << b;
            ASSERT_EQ(fx_mul(b, x), ref_mul(x, b)) << b << " * " << a;
            ASSERT_NE(fx_mul(x, b), INT16_MIN);
        }
    }
}

TEST(FxAmplify, WorkedValues) {
    EXPECT_EQ(fx_amplify(1, 1), 4096);
    EXPECT_EQ(fx_amplify(3, 2), 192);
    EXPECT_EQ(fx_amplify(0x0800, 4096), 0x0800);
    EXPECT_EQ(fx_amplify(0x2000, 4096), 0x1000);
    EXPECT_EQ(fx_amplify(-2, 3), -32);
}

TEST(FxAmplify, ShiftTable) {
    const int expected_shift[14] = {-1, 12, 6, 4, 3, 2, 2, 1, 1, 1, 1, 1, 1, 0};
    for (int divisor = 1; divisor <= 13; ++divisor) {
        EXPECT_EQ(fx_amplify(1, divisor), 1 << expected_shift[divisor]) << divisor;
        EXPECT_EQ(fx_amplify(-1, divisor), -(1 << expected_shift[divisor])) << divisor;
    }
    EXPECT_EQ(fx_amplify(5, 32767), 5);
    EXPECT_EQ(fx_amplify(5, -13), 5);
    EXPECT_EQ(fx_amplify(5, -32768), 5);
}

TEST(FxAmplify, OnlyLowSixteenBitsOfDivisorCount) {
    EXPECT_EQ(fx_amplify(1, 0x10001), 4096);    // low half 1
    EXPECT_EQ(fx_amplify(3, 0x10002), 192);     // low half 2
    EXPECT_EQ(fx_amplify(7, 0x18000), 7);       // low half -32768: shift 0
    EXPECT_EQ(fx_amplify(1, 0x7FFF0003), 16);   // low half 3
    EXPECT_EQ(fx_amplify(1, INT32_MIN + 4), 8); // low half 4
}

TEST(FxAmplify, DivisorZeroActsLikeOne) {
    for (int32_t x = INT16_MIN; x <= INT16_MAX; ++x) {
        const int16_t v = static_cast<int16_t>(x);
        ASSERT_EQ(fx_amplify(v, 0), fx_amplify(v, 1)) << x;
        ASSERT_EQ(fx_amplify(v, 0x10000), fx_amplify(v, 1)) << x;
    }
}

TEST(FxAmplify, SmallNegativeDivisorsActLikeTheirMagnitude) {
    for (int divisor = 1; divisor <= 12; ++divisor) {
        for (int32_t x = INT16_MIN; x <= INT16_MAX; ++x) {
            const int16_t v = static_cast<int16_t>(x);
            ASSERT_EQ(fx_amplify(v, -divisor), fx_amplify(v, divisor)) << x << " / " << divisor;
        }
    }
}

TEST(FxAmplify, AllValuesAgainstReference) {
    const int32_t divisors[] = {1, 2, 3, 4, 5, 6, 7, 12, 13, 100, 4096, 32767, -13, -32768};
    for (int32_t divisor : divisors) {
        const int64_t shift = 12 / (divisor < 0 ? -int64_t{divisor} : divisor);
        for (int32_t x = INT16_MIN; x <= INT16_MAX; ++x) {
            const int64_t y = int64_t{x} * (int64_t{1} << shift);
            const int64_t expected = y > 4096 ? 4096 : y < -4096 ? -4096 : y;
            ASSERT_EQ(fx_amplify(static_cast<int16_t>(x), divisor), expected)
                << x << " / " << divisor;
        }
    }
}
