// The routines without an MMX form: worked values, marker handling, reference loops, and the
// count rules shared by every routine (a count of 1 handles one element, a count below 1
// touches nothing).
#include "fixed_point.h"
#include "fx_test_support.h"

#include <gtest/gtest.h>

#include <vector>

using namespace fx_test;

namespace {

int16_t wrap16(int64_t value) {
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint64_t>(value) & 0xFFFFu));
}

// dst after fx_lincomb_damped for one element, written from the description of the damping.
int16_t ref_damped(int16_t a, int16_t x, int16_t b, int16_t y) {
    int64_t d = y;
    if ((x < 0) == (y < 0)) {
        const int64_t magnitude = x < 0 ? -int64_t{x} : x;
        if (magnitude > 16384) {
            d = floor_div(d, 2);
        }
        if (magnitude > 24576) {
            d = floor_div(d, 2);
        }
    }
    return ref_lincomb(a, x, b, static_cast<int16_t>(d));
}

int16_t ref_decay(int16_t x, int16_t y, int16_t rate) {
    const int16_t magnitude = static_cast<int16_t>(y < 0 ? -y : y);
    const int16_t m = ref_mul(static_cast<int16_t>(-magnitude), rate);
    return ref_mul(x, wrap16(4096 + int64_t{m}));
}

} // namespace

TEST(FxLincombSkip, MarkedElementsAreLeftAndOthersUpdated) {
    int16_t dst[3] = {INT16_MIN, 0x2000, 0x1000};
    const int16_t src[3] = {0x1000, 0x1000, INT16_MIN};
    int16_t dst2[3] = {INT16_MIN, 0x2000, 0x1000};
    fx_lincomb_skip_dst(0x1000, dst, 0x0800, src, 3);
    EXPECT_EQ(dst[0], INT16_MIN);
    EXPECT_EQ(dst[1], 0x2800);
    EXPECT_EQ(dst[2], ref_lincomb(0x1000, 0x1000, 0x0800, INT16_MIN));
    fx_lincomb_skip_src(0x1000, dst2, 0x0800, src, 3);
    EXPECT_EQ(dst2[0], ref_lincomb(0x1000, INT16_MIN, 0x0800, 0x1000));
    EXPECT_EQ(dst2[1], 0x2800);
    EXPECT_EQ(dst2[2], 0x1000);
}

TEST(FxLincombSkip, AllValuesAgainstReference) {
    std::mt19937 rng(31);
    for (int16_t fixed : operand_set(rng, 8)) {
        std::vector<int16_t> dst;
        std::vector<int16_t> src(65536, fixed);
        for (int32_t v = INT16_MIN; v <= INT16_MAX; ++v) {
            dst.push_back(static_cast<int16_t>(v));
        }
        const std::vector<int16_t> before = dst;
        fx_lincomb_skip_dst(0x0C00, dst.data(), fixed, src.data(), 65536);
        for (size_t i = 0; i < dst.size(); ++i) {
            const int16_t expected =
                before[i] == INT16_MIN ? INT16_MIN : ref_lincomb(0x0C00, before[i], fixed, fixed);
            ASSERT_EQ(dst[i], expected) << before[i] << " " << fixed;
        }
        std::vector<int16_t> dst2(65536, fixed);
        fx_lincomb_skip_src(fixed, dst2.data(), -0x0C00, before.data(), 65536);
        for (size_t i = 0; i < dst2.size(); ++i) {
            const int16_t expected =
                before[i] == INT16_MIN ? fixed : ref_lincomb(fixed, fixed, -0x0C00, before[i]);
            ASSERT_EQ(dst2[i], expected) << before[i] << " " << fixed;
        }
    }
}

TEST(FxLincombDamped, WorkedValues) {
    const struct {
        int16_t a, dst, b, src, expected;
    } cases[] = {
        {0x1000, 0x5000, 0x1000, 0x0800, 0x5400},
        {0x1000, 0x7000, 0x1000, 0x0800, 0x7200},
        {0x1000, h(0xB000), 0x1000, 0x0800, h(0xB800)},
        {0x1000, 0x4000, 0x1000, 0x0800, 0x4800},
        {0x1000, 0x6000, 0x1000, 0x0800, 0x6400},
        {0x0800, h(0x8000), 0x1000, h(0xF800), h(0xBE00)},
        {0x1000, 0x5000, 0x1000, h(0xF800), 0x4800},
    };
    for (const auto& c : cases) {
        int16_t dst[1] = {c.dst};
        const int16_t src[1] = {c.src};
        fx_lincomb_damped(c.a, dst, c.b, src, 1);
        EXPECT_EQ(dst[0], c.expected) << c.dst << " " << c.src;
    }
}

TEST(FxLincombDamped, HalvingRoundsTowardMinusInfinity) {
    // |dst| > 6.0 with negative src: -1 stays -1, -3 becomes -1 after two halvings.
    int16_t dst[2] = {-0x7000, -0x7000};
    const int16_t src[2] = {-1, -3};
    fx_lincomb_damped(0x1000, dst, 0x1000, src, 2);
    EXPECT_EQ(dst[0], ref_lincomb(0x1000, -0x7000, 0x1000, -1));
    EXPECT_EQ(dst[1], ref_lincomb(0x1000, -0x7000, 0x1000, -1));
}

TEST(FxLincombDamped, AllValuesAgainstReference) {
    std::mt19937 rng(32);
    for (int16_t fixed : operand_set(rng, 8)) {
        std::vector<int16_t> values;
        for (int32_t v = INT16_MIN; v <= INT16_MAX; ++v) {
            values.push_back(static_cast<int16_t>(v));
        }
        std::vector<int16_t> dst = values;
        const std::vector<int16_t> src(65536, fixed);
        fx_lincomb_damped(0x1000, dst.data(), 0x0C00, src.data(), 65536);
        std::vector<int16_t> dst2(65536, fixed);
        fx_lincomb_damped(-0x0800, dst2.data(), 0x1000, values.data(), 65536);
        for (size_t i = 0; i < values.size(); ++i) {
            const int16_t expected =
                fixed == INT16_MIN ? values[i] : ref_damped(0x1000, values[i], 0x0C00, fixed);
            ASSERT_EQ(dst[i], expected) << values[i] << " " << fixed;
            const int16_t expected2 =
                values[i] == INT16_MIN ? fixed : ref_damped(-0x0800, fixed, 0x1000, values[i]);
            ASSERT_EQ(dst2[i], expected2) << fixed << " " << values[i];
        }
    }
}

TEST(FxDecay, WorkedValues) {
    int16_t dst[4] = {0x1000, 0x1234, h(0x8000), 0x0777};
    const int16_t src[4] = {0x2000, 0, 0, INT16_MIN};
    fx_decay(dst, src, 0x0400, 4);
    EXPECT_EQ(dst[0], 0x0800);
    EXPECT_EQ(dst[1], 0x1234);    // src 0 leaves dst
    EXPECT_EQ(dst[2], h(0x8001)); // except that 0x8000 becomes 0x8001
    EXPECT_EQ(dst[3], 0x0777);    // marked src: untouched
    int16_t same[2] = {0x3333, -0x1111};
    const int16_t any[2] = {0x7FFF, -0x7FFF};
    fx_decay(same, any, 0, 2);
    EXPECT_EQ(same[0], 0x3333);
    EXPECT_EQ(same[1], -0x1111);
}

TEST(FxDecay, AllValuesAgainstReference) {
    std::mt19937 rng(33);
    const std::vector<int16_t> rates = {0, 0x0400, 0x1000, -0x1000, -0x7FFF, 0x7FFF, INT16_MIN};
    for (int16_t rate : rates) {
        for (int16_t fixed : operand_set(rng, 4)) {
            std::vector<int16_t> values;
            for (int32_t v = INT16_MIN; v <= INT16_MAX; ++v) {
                values.push_back(static_cast<int16_t>(v));
            }
            std::vector<int16_t> dst(65536, fixed);
            fx_decay(dst.data(), values.data(), rate, 65536);
            for (size_t i = 0; i < values.size(); ++i) {
                const int16_t expected =
                    values[i] == INT16_MIN ? fixed : ref_decay(fixed, values[i], rate);
                ASSERT_EQ(dst[i], expected) << fixed << " " << values[i] << " " << rate;
            }
        }
    }
}

TEST(FxWrap, AddAndSubtractOverAllValues) {
    std::mt19937 rng(34);
    for (int16_t fixed : operand_set(rng, 16)) {
        std::vector<int16_t> values;
        for (int32_t v = INT16_MIN; v <= INT16_MAX; ++v) {
            values.push_back(static_cast<int16_t>(v));
        }
        std::vector<int16_t> added(65536, fixed);
        std::vector<int16_t> subtracted(65536, fixed);
        fx_add_wrap(added.data(), values.data(), 65536);
        fx_sub_wrap(subtracted.data(), values.data(), 65536);
        for (size_t i = 0; i < values.size(); ++i) {
            const int16_t expected_add =
                values[i] == INT16_MIN ? fixed : wrap16(int64_t{fixed} + values[i]);
            ASSERT_EQ(added[i], expected_add);
            ASSERT_EQ(subtracted[i], wrap16(int64_t{fixed} - values[i]));
        }
    }
    int16_t a[2] = {0x7FFF, 0x1234};
    const int16_t b[2] = {0x0001, INT16_MIN};
    fx_add_wrap(a, b, 2);
    EXPECT_EQ(a[0], h(0x8000));
    EXPECT_EQ(a[1], 0x1234);
    int16_t c[2] = {h(0x8000), 0x0000};
    const int16_t d[2] = {0x0001, INT16_MIN};
    fx_sub_wrap(c, d, 2);
    EXPECT_EQ(c[0], 0x7FFF);
    EXPECT_EQ(c[1], h(0x8000));
}

TEST(FxScaleSkip, MarkerStaysAndOthersScale) {
    std::vector<int16_t> values;
    for (int32_t v = INT16_MIN; v <= INT16_MAX; ++v) {
        values.push_back(static_cast<int16_t>(v));
    }
    for (int16_t k : {int16_t{0x1000}, int16_t{-0x1000}, int16_t{INT16_MIN}, int16_t{0x0123}}) {
        std::vector<int16_t> dst = values;
        fx_scale_skip(dst.data(), k, 65536);
        for (size_t i = 0; i < values.size(); ++i) {
            ASSERT_EQ(dst[i], values[i] == INT16_MIN ? INT16_MIN : ref_mul(values[i], k));
        }
    }
}

TEST(FxDiffAmplify, WorkedValues) {
    const struct {
        int16_t dst, src, flag, expected;
    } cases[] = {
        {3, 1, 1, 0x1000},
        {5, 2, 1, 192},
        {0x1800, 0x1000, 1, 0x0800},
        {0x3000, 0x1000, 1, 0x1000},
        {0x7000, h(0x9000), 1, h(0xF000)},
        {0x1234, 0x1234, 7, 0},
        {5, 0, 1, 0x1000},
        {-5, 0, 1, -0x1000},
        {0x7000, h(0x9000), 0, h(0xE000)},
        {0x0100, INT16_MIN, -1, -4096}, // 0x8100 with shift 0 clamps
    };
    for (const auto& c : cases) {
        int16_t dst[1] = {c.dst};
        const int16_t src[1] = {c.src};
        const int16_t flags[1] = {c.flag};
        fx_diff_amplify(dst, src, flags, 1);
        EXPECT_EQ(dst[0], c.expected) << c.dst << " " << c.src << " " << c.flag;
    }
}

TEST(FxDiffAmplify, AllValuesAgainstReference) {
    std::mt19937 rng(35);
    std::vector<int16_t> values;
    for (int32_t v = INT16_MIN; v <= INT16_MAX; ++v) {
        values.push_back(static_cast<int16_t>(v));
    }
    std::vector<int16_t> flags(65536);
    for (size_t i = 0; i < flags.size(); ++i) {
        flags[i] = static_cast<int16_t>(i % 3 == 0 ? 0 : (i % 3 == 1 ? 1 : -2));
    }
    for (int16_t fixed : operand_set(rng, 8)) {
        std::vector<int16_t> dst(65536, fixed);
        fx_diff_amplify(dst.data(), values.data(), flags.data(), 65536);
        for (size_t i = 0; i < values.size(); ++i) {
            const int64_t difference = wrap16(int64_t{fixed} - values[i]);
            int64_t expected = difference;
            if (flags[i] != 0) {
                const int64_t magnitude = values[i] < 0 ? -int64_t{values[i]} : values[i];
                const int64_t divisor = magnitude >= 2 ? magnitude : 1;
                const int64_t shifted = difference * (int64_t{1} << (12 / divisor));
                expected = shifted > 4096 ? 4096 : shifted < -4096 ? -4096 : shifted;
            }
            ASSERT_EQ(dst[i], expected) << fixed << " - " << values[i] << " flag " << flags[i];
        }
    }
}

TEST(FxCounts, CountOfOneHandlesExactlyOneElement) {
    mmx_enabled = 0;
    const int16_t src[2] = {0x1000, 0x1000};
    const int16_t flags[2] = {1, 1};
    auto check = [](const int16_t* dst, const char* name) {
        EXPECT_NE(dst[0], 0x0100) << name;
        EXPECT_EQ(dst[1], 0x0100) << name;
    };
    int16_t d1[2] = {0x0100, 0x0100};
    fx_lincomb(0x1000, d1, 0x1000, src, 1);
    check(d1, "lincomb");
    int16_t d2[2] = {0x0100, 0x0100};
    fx_lincomb_skip_dst(0x1000, d2, 0x1000, src, 1);
    check(d2, "lincomb_skip_dst");
    int16_t d3[2] = {0x0100, 0x0100};
    fx_lincomb_skip_src(0x1000, d3, 0x1000, src, 1);
    check(d3, "lincomb_skip_src");
    int16_t d4[2] = {0x0100, 0x0100};
    fx_lincomb_damped(0x1000, d4, 0x1000, src, 1);
    check(d4, "lincomb_damped");
    int16_t d5[2] = {0x0100, 0x0100};
    fx_decay(d5, src, 0x0800, 1);
    check(d5, "decay");
    int16_t d6[2] = {0x0100, 0x0100};
    fx_add_sat(d6, src, 1);
    check(d6, "add_sat");
    int16_t d7[2] = {0x0100, 0x0100};
    fx_add_wrap(d7, src, 1);
    check(d7, "add_wrap");
    int16_t d8[2] = {0x0100, 0x0100};
    fx_sub_wrap(d8, src, 1);
    check(d8, "sub_wrap");
    int16_t d9[2] = {0x0100, 0x0100};
    fx_scale(d9, 0x2000, 1);
    check(d9, "scale");
    int16_t d10[2] = {0x0100, 0x0100};
    fx_scale_skip(d10, 0x2000, 1);
    check(d10, "scale_skip");
    int16_t d11[2] = {0x0100, 0x0100};
    fx_diff_amplify(d11, src, flags, 1);
    check(d11, "diff_amplify");
    const int16_t p[2] = {0x1000, 0x1000};
    EXPECT_EQ(fx_dot(p, src, 1), 0x1000);
}

// With null pointers any access would crash (and the sanitizer build reports it), so these
// calls prove that a count below 1 reads and writes nothing, in every routine and both modes.
TEST(FxCounts, CountBelowOneTouchesNoMemory) {
    const int32_t counts[] = {0, -1, -4, INT32_MIN};
    for (int32_t enabled : {0, 1}) {
        mmx_enabled = enabled;
        for (int32_t count : counts) {
            EXPECT_EQ(fx_dot(nullptr, nullptr, count), 0);
            fx_lincomb(0x1000, nullptr, 0x1000, nullptr, count);
            fx_add_sat(nullptr, nullptr, count);
            fx_scale(nullptr, 0x1000, count);
        }
    }
    mmx_enabled = 0;
    for (int32_t count : counts) {
        EXPECT_EQ(fx_dot_mmx(nullptr, nullptr, count), 0);
        fx_lincomb_mmx(0x1000, nullptr, 0x1000, nullptr, count);
        fx_add_sat_mmx(nullptr, nullptr, count);
        fx_scale_mmx(nullptr, 0x1000, count);
        fx_lincomb_skip_dst(0x1000, nullptr, 0x1000, nullptr, count);
        fx_lincomb_skip_src(0x1000, nullptr, 0x1000, nullptr, count);
        fx_lincomb_damped(0x1000, nullptr, 0x1000, nullptr, count);
        fx_decay(nullptr, nullptr, 0x1000, count);
        fx_add_wrap(nullptr, nullptr, count);
        fx_sub_wrap(nullptr, nullptr, count);
        fx_scale_skip(nullptr, 0x1000, count);
        fx_diff_amplify(nullptr, nullptr, nullptr, count);
    }
}
