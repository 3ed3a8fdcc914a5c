#include "fx_test_support.h"

#include <cstdlib>

namespace fx_test {

std::vector<int16_t> all_values() {
    std::vector<int16_t> values;
    values.reserve(65536);
    for (int32_t v = INT16_MIN; v <= INT16_MAX; ++v) {
        values.push_back(static_cast<int16_t>(v));
    }
    return values;
}

int64_t floor_div(int64_t value, int64_t divisor) {
    int64_t quotient = value / divisor;
    if (value % divisor != 0 && value < 0) {
        --quotient;
    }
    return quotient;
}

int64_t wrap_to_int32(int64_t value) {
    int64_t low = value % 4294967296LL;
    if (low < 0) {
        low += 4294967296LL;
    }
    return low >= 2147483648LL ? low - 4294967296LL : low;
}

int16_t clamp_symmetric(int64_t value) {
    return static_cast<int16_t>(value > 32767 ? 32767 : value < -32767 ? -32767 : value);
}

int16_t clamp_full(int64_t value) {
    return static_cast<int16_t>(value > 32767 ? 32767 : value < -32768 ? -32768 : value);
}

int16_t ref_mul(int16_t a, int16_t b) {
    return clamp_symmetric(floor_div(int64_t{a} * b + 2048, 4096));
}

int16_t ref_add_sat(int16_t a, int16_t b) {
    return clamp_full(int64_t{a} + b);
}

int16_t ref_lincomb(int16_t a, int16_t x, int16_t b, int16_t y) {
    const int64_t sum = wrap_to_int32(int64_t{a} * x + int64_t{b} * y);
    return clamp_symmetric(floor_div(sum + 2048, 4096));
}

int16_t ref_lincomb_mmx(int16_t a, int16_t x, int16_t b, int16_t y) {
    const int64_t sum = wrap_to_int32(int64_t{a} * x + int64_t{b} * y);
    return clamp_full(floor_div(sum + 2048, 4096));
}

int16_t ref_dot(const int16_t* p, const int16_t* q, int32_t count) {
    int64_t sum = 0;
    for (int32_t i = 0; i < count; ++i) {
        sum = wrap_to_int32(sum + floor_div(int64_t{p[i]} * q[i], 512));
    }
    return clamp_symmetric(floor_div(wrap_to_int32(sum + 4), 8));
}

int16_t ref_dot_mmx(const int16_t* p, const int16_t* q, int32_t count) {
    int64_t lane_sum[2] = {0, 0};
    for (int32_t i = 0; i < whole_groups(count); i += 2) {
        const int64_t pair = wrap_to_int32(int64_t{p[i]} * q[i] + int64_t{p[i + 1]} * q[i + 1]);
        int64_t& sum = lane_sum[(i / 2) % 2];
        sum = wrap_to_int32(sum + floor_div(pair, 1024));
    }
    const int64_t total = wrap_to_int32(lane_sum[0] + lane_sum[1]);
    return clamp_full(floor_div(wrap_to_int32(total + 2), 4));
}

std::vector<int16_t> operand_set(std::mt19937& rng, int random_count) {
    std::vector<int16_t> set = {INT16_MIN, -32767, -1, 0, 1, 0x0800, 0x1000, 0x7FFF};
    std::uniform_int_distribution<int> any(INT16_MIN, INT16_MAX);
    for (int i = 0; i < random_count; ++i) {
        set.push_back(static_cast<int16_t>(any(rng)));
    }
    return set;
}

int16_t edge_biased(std::mt19937& rng) {
    static const int16_t edges[] = {INT16_MIN, -32767, -32766, -28672, -16384, -4097, -4096,
                                    -2049,     -2048,  -1,     0,      1,      2,     2047,
                                    2048,      4095,   4096,   16384,  28672,  32766, 32767};
    const uint32_t draw = static_cast<uint32_t>(rng());
    if ((draw & 1u) == 0) {
        return edges[(draw >> 1) % (sizeof edges / sizeof edges[0])];
    }
    return static_cast<int16_t>(static_cast<uint16_t>(draw >> 16));
}

int32_t random_cases() {
    if (const char* text = std::getenv("FX_RANDOM_CASES")) {
        const long value = std::strtol(text, nullptr, 10);
        if (value > 0) {
            return static_cast<int32_t>(value);
        }
    }
    return FX_RANDOM_CASES;
}

int32_t whole_groups(int32_t count) {
    return count < 1 ? 0 : (count + 3) / 4 * 4;
}

GuardedVector::GuardedVector(int32_t padded_length, int offset)
    : buffer_(static_cast<size_t>(padded_length + 2 * kGuardElements + offset), kGuard),
      padded_length_(padded_length), offset_(offset) {}

bool GuardedVector::guards_intact() const {
    const int front = kGuardElements + offset_;
    for (int i = 0; i < front; ++i) {
        if (buffer_[static_cast<size_t>(i)] != kGuard) {
            return false;
        }
    }
    for (size_t i = static_cast<size_t>(front + padded_length_); i < buffer_.size(); ++i) {
        if (buffer_[i] != kGuard) {
            return false;
        }
    }
    return true;
}

} // namespace fx_test
