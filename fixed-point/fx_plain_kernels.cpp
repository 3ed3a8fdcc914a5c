// The mmx_enabled switch and the four dispatching kernels: each reads the switch once per
// call and hands the whole call either to its MMX form or to its plain path, one element at a
// time. Every plain loop handles exactly count elements; a count below 1 touches no memory.
#include "fixed_point.h"
#include "fx_arith.h"

using namespace fx_detail;

int32_t mmx_enabled = 0;

namespace {

// Dot product of two Q4.12 vectors -> Q4.12. Each 32-bit product is floored by 9 bits
// (arithmetic >> 9) and summed in 32 bits wrapping modulo 2^32 (no wrap below 1024
// elements); the sum is rounded with (S + 4) >> 3 and symmetrically clamped to
// -32767..32767. Count below 1 gives 0.
int16_t fx_dot_plain(const int16_t* p, const int16_t* q, int32_t count) {
    int32_t sum = 0;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t product = static_cast<int32_t>(p[i]) * static_cast<int32_t>(q[i]);
        sum = wrap32(static_cast<int64_t>(sum) + shift_right(product, 9));
    }
    return clamp_symmetric(round_shift(sum, 3));
}

// dst[i] = a * dst[i] + b * src[i] in Q4.12: 32-bit sum (wrapping modulo 2^32), + 2048,
// arithmetic >> 12, symmetric clamp to -32767..32767.
void fx_lincomb_plain(int16_t a, int16_t* dst, int16_t b, const int16_t* src, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        dst[i] = clamp_symmetric(round_shift(mul_add(a, dst[i], b, src[i]), 12));
    }
}

// dst[i] = dst[i] + src[i] saturated to the full range -32768..32767. The loop counts the
// count down and stops at zero.
void fx_add_sat_plain(int16_t* dst, const int16_t* src, int32_t count) {
    while (count > 0) {
        *dst = clamp_full(static_cast<int32_t>(*dst) + static_cast<int32_t>(*src));
        ++dst;
        ++src;
        --count;
    }
}

// dst[i] = fx_mul(dst[i], k): rounded Q4.12 product, symmetric clamp.
void fx_scale_plain(int16_t* dst, int16_t k, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        dst[i] = fx_mul(dst[i], k);
    }
}

} // namespace

int16_t fx_dot(const int16_t* p, const int16_t* q, int32_t count) {
    if (mmx_enabled != 0) {
        return fx_dot_mmx(p, q, count);
    }
    return fx_dot_plain(p, q, count);
}

void fx_lincomb(int16_t a, int16_t* dst, int16_t b, const int16_t* src, int32_t count) {
    if (mmx_enabled != 0) {
        return fx_lincomb_mmx(a, dst, b, src, count);
    }
    fx_lincomb_plain(a, dst, b, src, count);
}

void fx_add_sat(int16_t* dst, const int16_t* src, int32_t count) {
    if (mmx_enabled != 0) {
        return fx_add_sat_mmx(dst, src, count);
    }
    fx_add_sat_plain(dst, src, count);
}

void fx_scale(int16_t* dst, int16_t k, int32_t count) {
    if (mmx_enabled != 0) {
        return fx_scale_mmx(dst, k, count);
    }
    fx_scale_plain(dst, k, count);
}
