// Scalar Q4.12 arithmetic: fx_add, fx_mul, fx_amplify.
#include "fixed_point.h"
#include "fx_arith.h"

using namespace fx_detail;

// fx_add: exact sum of two sign-extended Q4.12 operands, -65536..65534 as a 32-bit value.
// Neither wrapped nor saturated; a caller passing it on as 16 bits keeps the low half.
int32_t fx_add(int16_t a, int16_t b) {
    return static_cast<int32_t>(a) + static_cast<int32_t>(b);
}

// fx_mul: Q4.12 x Q4.12 -> Q4.12. 32-bit product, + 2048, arithmetic >> 12 (halves round
// toward plus infinity), symmetric clamp to -32767..32767 (never returns 0x8000).
int16_t fx_mul(int16_t a, int16_t b) {
    const int32_t product = static_cast<int32_t>(a) * static_cast<int32_t>(b);
    return clamp_symmetric(round_shift(product, 12));
}

// fx_amplify: x shifted left by s = 12 / divisor (integer division truncating toward zero),
// clamped to -4096..4096 (-1.0..1.0). Only the low 16 bits of divisor count.
// Divisors with no meaningful shift are given one: 0 is treated as 1 (the same rule
// fx_diff_amplify uses for sources of magnitude below 2), and -12..-1 as their magnitude
// (so the shift never goes negative; -13 and below give 0 either way). The shift is done by
// multiplication (|result before clamping| <= 2^27), so no shift of a negative value occurs.
int16_t fx_amplify(int16_t x, int32_t divisor) {
    int32_t d = wrap16(divisor);
    if (d < 0) {
        d = -d; // -32768 becomes 32768: shift 0 like any large divisor
    }
    if (d == 0) {
        d = 1;
    }
    const int32_t shift = 12 / d;
    return clamp_to(static_cast<int32_t>(x) * (static_cast<int32_t>(1) << shift), -4096, 4096);
}
