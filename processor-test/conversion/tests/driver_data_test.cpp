// The self-test's built-in data: its Q4.12 table from fx_from_double, and the four kernel
// comparisons the program runs on it.
#include "fixed_point.h"
#include "fx_convert.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const int32_t vec_len = 16;
const double test_values_a[16] = {1.0,  1.0,   1.0,  1.0,  2.1,  -0.8, 0.2,  1.1,
                                  -1.1, -3.14, 4.23, -2.1, -7.0, 7.0,  -7.0, 7.0};
const double test_values_b[16] = {1.0,  1.0,  1.0, 1.0,  0.11, 4.23, -3.14, 2.72,
                                  2.72, -0.2, 0.8, 0.11, -7.0, -7.0, 7.0,   7.0};

struct Vectors {
    int16_t x[16];
    int16_t y[16];
    int16_t z[16];
};

Vectors load() {
    Vectors v{};
    for (int32_t i = 0; i < vec_len; ++i) {
        v.x[i] = fx_from_double(test_values_a[i]);
        v.y[i] = v.x[i];
        v.z[i] = fx_from_double(test_values_b[i]);
    }
    return v;
}

// The self-test's comparison rule: equal, or plain -32767 against MMX -32768.
std::vector<int> disagreements(const Vectors& v, std::vector<int>* accepted) {
    std::vector<int> differing;
    for (int i = 0; i < vec_len; ++i) {
        if (v.x[i] == v.y[i]) {
            continue;
        }
        if (v.x[i] == -32767 && v.y[i] == -32768) {
            accepted->push_back(i);
        } else {
            differing.push_back(i);
        }
    }
    return differing;
}

class DriverData : public ::testing::Test {
protected:
    void SetUp() override { mmx_enabled = 0; }
};

} // namespace

TEST_F(DriverData, QFormsOfTheTestValues) {
    const int16_t a_q[16] = {4096,  4096,   4096,  4096,  8602,   -3277, 819,    4506,
                             -4506, -12861, 17326, -8602, -28672, 28672, -28672, 28672};
    const int16_t b_q[16] = {4096,  4096, 4096, 4096, 451,    17326,  -12861, 11141,
                             11141, -819, 3277, 451,  -28672, -28672, 28672,  28672};
    const Vectors v = load();
    for (int i = 0; i < vec_len; ++i) {
        EXPECT_EQ(v.x[i], a_q[i]) << i;
        EXPECT_EQ(v.z[i], b_q[i]) << i;
    }
    EXPECT_EQ(fx_from_double(3.12), 0x31EC);
    EXPECT_EQ(fx_from_double(-2.99), static_cast<int16_t>(0xD029));
}

TEST_F(DriverData, DotProductGives16384BothWays) {
    const Vectors v = load();
    EXPECT_EQ(fx_dot(v.x, v.z, vec_len), 16384);
    EXPECT_EQ(fx_dot_mmx(v.x, v.z, vec_len), 16384);
}

TEST_F(DriverData, LincombDiffersExactlyAtElements5_8_9_14) {
    Vectors v = load();
    const int16_t coef_a = fx_from_double(3.12);
    const int16_t coef_b = fx_from_double(-2.99);
    fx_lincomb(coef_a, v.x, coef_b, v.z, vec_len);
    fx_lincomb_mmx(coef_a, v.y, coef_b, v.z, vec_len);
    std::vector<int> accepted;
    EXPECT_TRUE(disagreements(v, &accepted).empty());
    EXPECT_EQ(accepted, (std::vector<int>{5, 8, 9, 14}));
    for (int i : accepted) {
        EXPECT_EQ(v.x[i], -32767);
        EXPECT_EQ(v.y[i], -32768);
    }
}

TEST_F(DriverData, AddAndScaleAgree) {
    Vectors v = load();
    fx_add_sat(v.x, v.z, vec_len);
    fx_add_sat_mmx(v.y, v.z, vec_len);
    std::vector<int> accepted;
    EXPECT_TRUE(disagreements(v, &accepted).empty());
    EXPECT_TRUE(accepted.empty());
    for (int i = 0; i < vec_len; ++i) {
        EXPECT_EQ(v.x[i], v.y[i]) << i;
    }

    v = load();
    const int16_t coef_a = fx_from_double(3.12);
    fx_scale(v.x, coef_a, vec_len);
    fx_scale_mmx(v.y, coef_a, vec_len);
    for (int i = 0; i < vec_len; ++i) {
        EXPECT_EQ(v.x[i], v.y[i]) << i;
    }
}
