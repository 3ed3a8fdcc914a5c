// The portable lane model: each instruction on values worked out by hand, and each whole
// kernel against the reference formulas, so that it can serve as the oracle for the
// assembly.
#include "fx_mmx_lanes.h"
#include "fx_test_support.h"

#include <gtest/gtest.h>

#include <vector>

using namespace fx_test;

namespace {

FxLanes16 w(int16_t a, int16_t b, int16_t c, int16_t d) {
    return FxLanes16{{a, b, c, d}};
}

void expect_words(FxLanes16 got, FxLanes16 expected) {
    for (int lane = 0; lane < 4; ++lane) {
        EXPECT_EQ(got.w[lane], expected.w[lane]) << "lane " << lane;
    }
}

} // namespace

TEST(FxLanes, Pmaddwd) {
    const FxLanes32 r = fx_lanes_pmaddwd(w(2, 3, -4, 5), w(10, 100, 7, -1));
    EXPECT_EQ(r.d[0], 320);
    EXPECT_EQ(r.d[1], -33);
    const FxLanes32 overflow = fx_lanes_pmaddwd(w(INT16_MIN, INT16_MIN, INT16_MIN, 1),
                                                w(INT16_MIN, INT16_MIN, INT16_MIN, 0));
    EXPECT_EQ(overflow.d[0], INT32_MIN); // 2^31 wraps
    EXPECT_EQ(overflow.d[1], 1 << 30);
}

TEST(FxLanes, ShiftsAddsAndPacks) {
    const FxLanes32 shifted = fx_lanes_psrad(FxLanes32{{-3, 4097}}, 1);
    EXPECT_EQ(shifted.d[0], -2);
    EXPECT_EQ(shifted.d[1], 2048);
    const FxLanes32 added = fx_lanes_paddd(FxLanes32{{INT32_MAX, -5}}, FxLanes32{{1, 5}});
    EXPECT_EQ(added.d[0], INT32_MIN);
    EXPECT_EQ(added.d[1], 0);
    expect_words(fx_lanes_packssdw(FxLanes32{{40000, -40000}}, FxLanes32{{-32768, 12}}),
                 w(32767, -32768, -32768, 12));
    expect_words(fx_lanes_paddsw(w(0x7FFF, INT16_MIN, 0x7FFF, 5), w(1, -1, INT16_MIN, -6)),
                 w(0x7FFF, INT16_MIN, -1, -1));
    expect_words(fx_lanes_pcmpeqw(w(1, 2, 3, 4), w(1, 0, 3, 0)), w(-1, 0, -1, 0));
    expect_words(fx_lanes_psubw(w(INT16_MIN, 0, 5, 1), w(1, INT16_MIN, -1, 1)),
                 w(0x7FFF, INT16_MIN, 6, 0));
    expect_words(fx_lanes_punpcklwd(w(1, 2, 3, 4), w(5, 6, 7, 8)), w(1, 5, 2, 6));
    expect_words(fx_lanes_punpckhwd(w(1, 2, 3, 4), w(5, 6, 7, 8)), w(3, 7, 4, 8));
}

TEST(FxLanes, KernelsAgainstReferenceFormulas) {
    std::mt19937 rng(41);
    for (int round = 0; round < 20000; ++round) {
        const int32_t count = 1 + static_cast<int32_t>(rng() % 40);
        const int32_t padded = whole_groups(count);
        std::vector<int16_t> x(static_cast<size_t>(padded));
        std::vector<int16_t> y(static_cast<size_t>(padded));
        for (int32_t i = 0; i < padded; ++i) {
            x[size_t(i)] = edge_biased(rng);
            y[size_t(i)] = edge_biased(rng);
        }
        const int16_t a = edge_biased(rng);
        const int16_t b = edge_biased(rng);
        ASSERT_EQ(fx_dot_lanes(x.data(), y.data(), count), ref_dot_mmx(x.data(), y.data(), count));

        std::vector<int16_t> lincomb = x;
        std::vector<int16_t> add = x;
        std::vector<int16_t> scale = x;
        fx_lincomb_lanes(a, lincomb.data(), b, y.data(), count);
        fx_add_sat_lanes(add.data(), y.data(), count);
        fx_scale_lanes(scale.data(), a, count);
        for (size_t i = 0; i < size_t(padded); ++i) {
            ASSERT_EQ(lincomb[i], ref_lincomb_mmx(a, x[i], b, y[i]));
            ASSERT_EQ(add[i], ref_add_sat(x[i], y[i]));
            ASSERT_EQ(scale[i], ref_mul(x[i], a));
        }
    }
}
