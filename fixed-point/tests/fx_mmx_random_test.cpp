// Random differential tests of the MMX kernels: vectors of 1 to 64 elements biased to edge
// values, at unaligned offsets, padded to whole groups and fenced by guard elements. Each
// kernel is checked against the lane model (identical results, padding included), against
// the reference formulas for the padding elements, and against the plain kernel by the
// agreement rules.
#include "fixed_point.h"
#include "fx_mmx_lanes.h"
#include "fx_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using namespace fx_test;

namespace {

struct RandomCase {
    int32_t count;
    int32_t padded;
    GuardedVector dst;
    GuardedVector src;
    std::vector<int16_t> dst_before;
    std::vector<int16_t> src_before;
};

RandomCase make_case(std::mt19937& rng) {
    const int32_t count = 1 + static_cast<int32_t>(rng() % 64);
    const int32_t padded = whole_groups(count);
    RandomCase c{count,
                 padded,
                 GuardedVector(padded, static_cast<int>(rng() % 4)),
                 GuardedVector(padded, static_cast<int>(rng() % 4)),
                 {},
                 {}};
    for (int32_t i = 0; i < padded; ++i) {
        c.dst.data()[i] = edge_biased(rng);
        c.src.data()[i] = edge_biased(rng);
    }
    c.dst_before.assign(c.dst.data(), c.dst.data() + padded);
    c.src_before.assign(c.src.data(), c.src.data() + padded);
    return c;
}

std::vector<int16_t> contents(const GuardedVector& v) {
    return std::vector<int16_t>(v.data(), v.data() + v.size());
}

class MmxRandom : public ::testing::Test {
protected:
    void SetUp() override { mmx_enabled = 0; }
};

} // namespace

TEST_F(MmxRandom, AddSat) {
    std::mt19937 rng(61);
    for (int32_t round = 0; round < random_cases(); ++round) {
        RandomCase c = make_case(rng);
        const bool same_array = rng() % 8 == 0;
        const int16_t* src = same_array ? c.dst.data() : c.src.data();
        const std::vector<int16_t>& src_values = same_array ? c.dst_before : c.src_before;
        std::vector<int16_t> model = c.dst_before;
        fx_add_sat_lanes(model.data(), same_array ? model.data() : src, c.count);
        std::vector<int16_t> plain = c.dst_before;
        fx_add_sat(plain.data(), same_array ? plain.data() : src, c.count);
        fx_add_sat_mmx(c.dst.data(), src, c.count);
        const std::vector<int16_t> got = contents(c.dst);
        ASSERT_EQ(got, model) << "count " << c.count;
        for (int32_t i = 0; i < c.padded; ++i) {
            const size_t k = size_t(i);
            ASSERT_EQ(got[k], ref_add_sat(c.dst_before[k], src_values[k]));
            if (i < c.count) {
                ASSERT_EQ(got[k], plain[k]);
            } else {
                ASSERT_EQ(plain[k], c.dst_before[k]); // plain stops at count
            }
        }
        ASSERT_TRUE(c.dst.guards_intact());
        ASSERT_TRUE(c.src.guards_intact());
        ASSERT_EQ(contents(c.src), c.src_before);
    }
}

TEST_F(MmxRandom, Scale) {
    std::mt19937 rng(62);
    for (int32_t round = 0; round < random_cases(); ++round) {
        RandomCase c = make_case(rng);
        const int16_t k = edge_biased(rng);
        std::vector<int16_t> model = c.dst_before;
        fx_scale_lanes(model.data(), k, c.count);
        std::vector<int16_t> plain = c.dst_before;
        fx_scale(plain.data(), k, c.count);
        fx_scale_mmx(c.dst.data(), k, c.count);
        const std::vector<int16_t> got = contents(c.dst);
        ASSERT_EQ(got, model) << "count " << c.count << " k " << k;
        for (int32_t i = 0; i < c.padded; ++i) {
            const size_t j = size_t(i);
            ASSERT_EQ(got[j], ref_mul(c.dst_before[j], k));
            if (i < c.count) {
                ASSERT_EQ(got[j], plain[j]);
            } else {
                ASSERT_EQ(plain[j], c.dst_before[j]);
            }
        }
        ASSERT_TRUE(c.dst.guards_intact());
    }
}

TEST_F(MmxRandom, Lincomb) {
    std::mt19937 rng(63);
    for (int32_t round = 0; round < random_cases(); ++round) {
        RandomCase c = make_case(rng);
        const int16_t a = edge_biased(rng);
        const int16_t b = edge_biased(rng);
        const bool same_array = rng() % 8 == 0;
        const int16_t* src = same_array ? c.dst.data() : c.src.data();
        const std::vector<int16_t>& src_values = same_array ? c.dst_before : c.src_before;
        std::vector<int16_t> model = c.dst_before;
        fx_lincomb_lanes(a, model.data(), b, same_array ? model.data() : src, c.count);
        std::vector<int16_t> plain = c.dst_before;
        fx_lincomb(a, plain.data(), b, same_array ? plain.data() : src, c.count);
        fx_lincomb_mmx(a, c.dst.data(), b, src, c.count);
        const std::vector<int16_t> got = contents(c.dst);
        ASSERT_EQ(got, model) << "count " << c.count << " a " << a << " b " << b;
        for (int32_t i = 0; i < c.padded; ++i) {
            const size_t j = size_t(i);
            ASSERT_EQ(got[j], ref_lincomb_mmx(a, c.dst_before[j], b, src_values[j]));
            if (i < c.count) {
                const bool agree =
                    got[j] == plain[j] || (plain[j] == -32767 && got[j] == INT16_MIN);
                ASSERT_TRUE(agree) << "plain " << plain[j] << " mmx " << got[j];
            } else {
                ASSERT_EQ(plain[j], c.dst_before[j]);
            }
        }
        ASSERT_TRUE(c.dst.guards_intact());
        ASSERT_TRUE(c.src.guards_intact());
        if (!same_array) {
            ASSERT_EQ(contents(c.src), c.src_before);
        }
    }
}

TEST_F(MmxRandom, Dot) {
    std::mt19937 rng(64);
    int32_t truncation_differences = 0;
    for (int32_t round = 0; round < random_cases(); ++round) {
        RandomCase c = make_case(rng);
        const int16_t got = fx_dot_mmx(c.dst.data(), c.src.data(), c.count);
        ASSERT_EQ(got, fx_dot_lanes(c.dst.data(), c.src.data(), c.count));
        ASSERT_EQ(got, ref_dot_mmx(c.dst_before.data(), c.src_before.data(), c.count));
        ASSERT_EQ(contents(c.dst), c.dst_before);
        ASSERT_EQ(contents(c.src), c.src_before);
        ASSERT_TRUE(c.dst.guards_intact());
        ASSERT_TRUE(c.src.guards_intact());

        // Against the plain form over the same (padded) elements.
        const int16_t plain = fx_dot(c.dst.data(), c.src.data(), c.padded);
        bool pair_overflow = false;
        for (int32_t i = 0; i < c.padded; i += 2) {
            const size_t j = size_t(i);
            pair_overflow = pair_overflow ||
                            (c.dst_before[j] == INT16_MIN && c.src_before[j] == INT16_MIN &&
                             c.dst_before[j + 1] == INT16_MIN && c.src_before[j + 1] == INT16_MIN);
        }
        if (pair_overflow) {
            continue;
        }
        const int32_t difference = std::abs(int32_t{got} - int32_t{plain});
        const bool negative_saturation = got == INT16_MIN && plain == -32767;
        ASSERT_TRUE(negative_saturation || difference * 8 < c.padded + 8)
            << "count " << c.padded << " plain " << plain << " mmx " << got;
        truncation_differences += difference != 0 && !negative_saturation;
    }
    // The two truncation rules do differ on random data; the loop above saw it happen.
    EXPECT_GT(truncation_differences, 0);
}

TEST_F(MmxRandom, DotAgreesWhenEveryProductIsAMultipleOf1024) {
    std::mt19937 rng(65);
    for (int32_t round = 0; round < random_cases() / 10; ++round) {
        const int32_t count = 4 * (1 + static_cast<int32_t>(rng() % 16));
        std::vector<int16_t> p(static_cast<size_t>(count));
        std::vector<int16_t> q(static_cast<size_t>(count));
        for (int32_t i = 0; i < count; ++i) {
            // multiples of 32 times multiples of 32: every product is a multiple of 1024,
            // and no pair reaches 2^31
            p[size_t(i)] = static_cast<int16_t>(32 * static_cast<int32_t>(rng() % 2047) - 32736);
            q[size_t(i)] = static_cast<int16_t>(32 * static_cast<int32_t>(rng() % 2047) - 32736);
        }
        const int16_t plain = fx_dot(p.data(), q.data(), count);
        const int16_t mmx = fx_dot_mmx(p.data(), q.data(), count);
        ASSERT_TRUE(mmx == plain || (mmx == INT16_MIN && plain == -32767)) << plain << " " << mmx;
    }
}
