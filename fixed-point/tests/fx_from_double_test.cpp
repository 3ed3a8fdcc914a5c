// fx_from_double: worked values, rounding of halves, saturation and NaN.
#include "fx_convert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(FxFromDouble, WorkedValues) {
    EXPECT_EQ(fx_from_double(3.12), 12780);
    EXPECT_EQ(fx_from_double(-2.99), -12247);
    EXPECT_EQ(fx_from_double(0.2), 819);
    EXPECT_EQ(fx_from_double(-0.8), -3277);
    EXPECT_EQ(fx_from_double(8.0), 32767);
    EXPECT_EQ(fx_from_double(-8.0), -32768);
    EXPECT_EQ(fx_from_double(2.5 / 4096.0), 3);
    EXPECT_EQ(fx_from_double(-2.5 / 4096.0), -3);
    EXPECT_EQ(fx_from_double(std::numeric_limits<double>::quiet_NaN()), -32768);
}

TEST(FxFromDouble, SaturatesToTheWholeSixteenBitRange) {
    EXPECT_EQ(fx_from_double(1e300), 32767);
    EXPECT_EQ(fx_from_double(std::numeric_limits<double>::infinity()), 32767);
    EXPECT_EQ(fx_from_double(-1e300), -32768);
    EXPECT_EQ(fx_from_double(-std::numeric_limits<double>::infinity()), -32768);
    EXPECT_EQ(fx_from_double(32767.4 / 4096.0), 32767);
    EXPECT_EQ(fx_from_double(32767.5 / 4096.0), 32767);
    EXPECT_EQ(fx_from_double(-32767.4 / 4096.0), -32767);
    EXPECT_EQ(fx_from_double(-32767.5 / 4096.0), -32768); // products of -32767.5 or less
    EXPECT_EQ(fx_from_double(-32768.4 / 4096.0), -32768);
    EXPECT_EQ(fx_from_double(0.0), 0);
    EXPECT_EQ(fx_from_double(-0.0), 0);
    EXPECT_EQ(fx_from_double(0.4 / 4096.0), 0);
    EXPECT_EQ(fx_from_double(-0.4 / 4096.0), 0);
}

TEST(FxFromDouble, IntermediatesAreRoundedToDouble) {
    // The double just below half a unit: 0.5 - 2^-54 units. Adding 0.5 gives 1 - 2^-54,
    // which lies halfway between two doubles and rounds (to even) to 1.0, so the result is
    // 1. Kept in extended precision the sum stays below 1 and would truncate to 0.
    const double below_half = std::nextafter(0.5, 0.0);
    ASSERT_EQ(below_half, 0.5 - 0x1p-54);
    ASSERT_LT(below_half, 0.5);
    EXPECT_EQ(fx_from_double(below_half / 4096.0), 1);
    EXPECT_EQ(fx_from_double(-below_half / 4096.0), -1);
}

TEST(FxFromDouble, EveryValueAndItsHalvesRoundAsStated) {
    for (int32_t v = -32768; v <= 32767; ++v) {
        const double exact = v / 4096.0;
        ASSERT_EQ(fx_from_double(exact), v);
        // a quarter unit either side rounds back to v
        ASSERT_EQ(fx_from_double((v + 0.25) / 4096.0), v);
        ASSERT_EQ(fx_from_double((v - 0.25) / 4096.0), v);
        // halves round away from zero
        const int32_t up = v + 1 > 32767 ? 32767 : v + 1;
        const int32_t half_up = v >= 0 ? up : v;
        ASSERT_EQ(fx_from_double((v + 0.5) / 4096.0), half_up) << v;
    }
}
