// Test support for the fixed-point library: reference formulas written independently of the
// library (64-bit arithmetic, floor division), an edge-biased random source, operand sets
// for the exhaustive loops and padded vectors with guard elements.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace fx_test {

// A Q4.12 value written as its 16-bit pattern, e.g. h(0x8001) is -32767.
inline int16_t h(uint16_t bits) {
    return static_cast<int16_t>(bits);
}

// All 65,536 Q4.12 values in order, -32768 first.
std::vector<int16_t> all_values();

// ---- reference formulas ----
int64_t floor_div(int64_t value, int64_t divisor); // divisor > 0, rounds toward -infinity
int64_t wrap_to_int32(int64_t value);              // value modulo 2^32 as a signed number
int16_t clamp_symmetric(int64_t value);            // -32767..32767
int16_t clamp_full(int64_t value);                 // -32768..32767

int16_t ref_mul(int16_t a, int16_t b);
int16_t ref_add_sat(int16_t a, int16_t b);
int16_t ref_lincomb(int16_t a, int16_t x, int16_t b, int16_t y);        // plain: symmetric clamp
int16_t ref_lincomb_mmx(int16_t a, int16_t x, int16_t b, int16_t y);    // full-range clamp
int16_t ref_dot(const int16_t* p, const int16_t* q, int32_t count);     // plain rule
int16_t ref_dot_mmx(const int16_t* p, const int16_t* q, int32_t count); // whole groups

// ---- operand sets ----
// 0x8000, 0x8001, 0xFFFF, 0, 1, 0x0800, 0x1000, 0x7FFF followed by random values.
std::vector<int16_t> operand_set(std::mt19937& rng, int random_count);

// ---- random inputs ----
int16_t edge_biased(std::mt19937& rng); // about half the draws from a list of edge values
int32_t random_cases();                 // FX_RANDOM_CASES, overridable by the environment variable

// Number of elements an MMX kernel handles for a count: 4 * ceil(count / 4).
int32_t whole_groups(int32_t count);

// A vector laid out in a buffer with guard elements in front of and behind its padded
// length, at a chosen element offset (so MMX loads are not always 8-byte aligned).
class GuardedVector {
public:
    static constexpr int16_t kGuard = 0x5A5A;
    static constexpr int kGuardElements = 8;
    GuardedVector(int32_t padded_length, int offset);
    int16_t* data() { return buffer_.data() + kGuardElements + offset_; }
    const int16_t* data() const { return buffer_.data() + kGuardElements + offset_; }
    int32_t size() const { return padded_length_; }
    bool guards_intact() const;

private:
    std::vector<int16_t> buffer_;
    int32_t padded_length_;
    int offset_;
};

} // namespace fx_test
