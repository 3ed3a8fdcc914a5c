// Vector updates without an MMX form: the marker-testing linear combinations, the damped
// combination, decay, wrapping add/subtract, marker-keeping scale and flagged difference.
// Every loop handles exactly count elements; a count below 1 touches no memory.
#include "fixed_point.h"
#include "fx_arith.h"

using namespace fx_detail;

namespace {

// One linear-combination element: clamp_symmetric((a * x + b * y + 2048) >> 12), the sum
// wrapping modulo 2^32.
int16_t lincomb_element(int16_t a, int16_t x, int16_t b, int16_t y) {
    return clamp_symmetric(round_shift(mul_add(a, x, b, y), 12));
}

// 16-bit arithmetic shift right by one (toward minus infinity).
int16_t halve(int16_t value) {
    return static_cast<int16_t>(shift_right(value, 1));
}

} // namespace

// As fx_lincomb (plain arithmetic, symmetric clamp); an element whose dst holds FX_SKIP
// is left untouched.
void fx_lincomb_skip_dst(int16_t a, int16_t* dst, int16_t b, const int16_t* src, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        if (dst[i] != FX_SKIP) {
            dst[i] = lincomb_element(a, dst[i], b, src[i]);
        }
    }
}

// As fx_lincomb (plain arithmetic, symmetric clamp); an element whose src holds FX_SKIP
// leaves dst untouched.
void fx_lincomb_skip_src(int16_t a, int16_t* dst, int16_t b, const int16_t* src, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        if (src[i] != FX_SKIP) {
            dst[i] = lincomb_element(a, dst[i], b, src[i]);
        }
    }
}

// As fx_lincomb with the source term damped: when dst[i] and src[i] have the same sign bit,
// d = src[i] is halved (16-bit arithmetic shift, toward minus infinity) once if |dst[i]| >
// 0x4000 and once more if |dst[i]| > 0x6000 (|-32768| = 32768). Elements whose src holds
// FX_SKIP are left untouched.
void fx_lincomb_damped(int16_t a, int16_t* dst, int16_t b, const int16_t* src, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        if (src[i] == FX_SKIP) {
            continue;
        }
        int16_t d = src[i];
        if ((dst[i] < 0) == (src[i] < 0)) {
            const int32_t magnitude = dst[i] < 0 ? -static_cast<int32_t>(dst[i]) : dst[i];
            if (magnitude > 0x4000) {
                d = halve(d);
            }
            if (magnitude > 0x6000) {
                d = halve(d);
            }
        }
        dst[i] = lincomb_element(a, dst[i], b, d);
    }
}

// dst[i] = fx_mul(dst[i], f) with f = low 16 bits of fx_add(0x1000, fx_mul(-|src[i]|, rate)):
// dst times (1 - rate * |src|), rounded and symmetrically clamped at both products. Elements
// whose src holds FX_SKIP are left untouched.
void fx_decay(int16_t* dst, const int16_t* src, int16_t rate, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        if (src[i] == FX_SKIP) {
            continue;
        }
        // src[i] != -32768 here, so its negated magnitude fits 16 bits.
        const int16_t negative_magnitude = src[i] < 0 ? src[i] : static_cast<int16_t>(-src[i]);
        const int16_t m = fx_mul(negative_magnitude, rate);
        const int16_t factor = wrap16(fx_add(0x1000, m));
        dst[i] = fx_mul(dst[i], factor);
    }
}

// dst[i] = (dst[i] + src[i]) modulo 2^16; elements whose src holds FX_SKIP are untouched.
void fx_add_wrap(int16_t* dst, const int16_t* src, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        if (src[i] != FX_SKIP) {
            dst[i] = wrap16(static_cast<int32_t>(dst[i]) + src[i]);
        }
    }
}

// dst[i] = (dst[i] - src[i]) modulo 2^16 for every element (no marker test).
void fx_sub_wrap(int16_t* dst, const int16_t* src, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        dst[i] = wrap16(static_cast<int32_t>(dst[i]) - src[i]);
    }
}

// dst[i] = fx_mul(dst[i], k) except for elements holding FX_SKIP, which stay marked.
void fx_scale_skip(int16_t* dst, int16_t k, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        if (dst[i] != FX_SKIP) {
            dst[i] = fx_mul(dst[i], k);
        }
    }
}

// Unflagged elements (flags[i] == 0): dst[i] = (dst[i] - src[i]) modulo 2^16. Flagged ones:
// fx_amplify(difference modulo 2^16, divisor) with divisor |src[i]| when that is at least 2,
// else 1, passed as 16 bits (|-32768| arrives as -32768: shift 0). Flagged results lie in
// -4096..4096.
void fx_diff_amplify(int16_t* dst, const int16_t* src, const int16_t* flags, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        const int16_t difference = wrap16(static_cast<int32_t>(dst[i]) - src[i]);
        if (flags[i] == 0) {
            dst[i] = difference;
            continue;
        }
        const int32_t magnitude = src[i] < 0 ? -static_cast<int32_t>(src[i]) : src[i];
        const int32_t divisor = magnitude >= 2 ? wrap16(magnitude) : 1;
        dst[i] = fx_amplify(difference, divisor);
    }
}
