// Q4.12 fixed-point vector library: plain kernels, their MMX forms and the dispatch flag.
//
// A Q4.12 number is a 16-bit two's-complement integer v standing for v / 4096:
// 0x1000 is 1.0, 0x7FFF is 7.999755859375, 0x8000 is -8.0 (and the FX_SKIP marker).
// Vectors are caller-owned arrays passed as pointer + 32-bit element count (count >= 1;
// a count below 1 touches no memory). The MMX forms handle whole groups of four
// elements: a count of n processes 4 * ceil(n / 4) elements, so every array must extend
// to the next multiple of four.
#pragma once

#include <cstdint>

// Marker value: routines that test an operand for it leave that element untouched.
constexpr int16_t FX_SKIP = INT16_MIN;

// Process-wide switch read once per call by fx_dot, fx_lincomb, fx_add_sat and fx_scale:
// nonzero hands the call to the MMX form. Zero at start.
extern int32_t mmx_enabled;

// Rounding: products add half a unit and shift right arithmetically (halves toward plus
// infinity). Plain multiplicative routines clamp symmetrically to -32767..32767 and so never
// produce FX_SKIP; fx_add_sat and the MMX packs use the full range -32768..32767. 32-bit
// intermediate sums wrap modulo 2^32.

// ---- scalar arithmetic ----
// Exact 32-bit sum, -65536..65534.
int32_t fx_add(int16_t a, int16_t b);
// Rounded Q4.12 product, symmetric clamp.
int16_t fx_mul(int16_t a, int16_t b);
// x << (12 / divisor) clamped to -4096..4096; only the low 16 bits of divisor count.
// Divisor 0 acts as 1 and -12..-1 as their magnitude (no negative shift, no division by 0).
int16_t fx_amplify(int16_t x, int32_t divisor);

// ---- plain vector kernels (the first four dispatch on mmx_enabled) ----
// Dot product: products floored by 9 bits, 32-bit sum, (S + 4) >> 3, symmetric clamp.
// A count below 1 gives 0.
int16_t fx_dot(const int16_t* p, const int16_t* q, int32_t count);
void fx_lincomb(int16_t a, int16_t* dst, int16_t b, const int16_t* src, int32_t count);
void fx_add_sat(int16_t* dst, const int16_t* src, int32_t count);
void fx_scale(int16_t* dst, int16_t k, int32_t count);

void fx_lincomb_skip_dst(int16_t a, int16_t* dst, int16_t b, const int16_t* src, int32_t count);
void fx_lincomb_skip_src(int16_t a, int16_t* dst, int16_t b, const int16_t* src, int32_t count);
void fx_lincomb_damped(int16_t a, int16_t* dst, int16_t b, const int16_t* src, int32_t count);
void fx_decay(int16_t* dst, const int16_t* src, int16_t rate, int32_t count);
void fx_add_wrap(int16_t* dst, const int16_t* src, int32_t count);
void fx_sub_wrap(int16_t* dst, const int16_t* src, int32_t count);
void fx_scale_skip(int16_t* dst, int16_t k, int32_t count);
void fx_diff_amplify(int16_t* dst, const int16_t* src, const int16_t* flags, int32_t count);

// ---- MMX kernels (four elements per step; see the group rule above) ----
// Each ends with EMMS, so the caller may use floating point at once. fx_add_sat_mmx and
// fx_scale_mmx equal their plain forms; fx_lincomb_mmx gives -32768 where fx_lincomb gives
// -32767; fx_dot_mmx floors pairs of products by 10 bits and rounds with (S + 2) >> 2
// (full-range saturation; a pair of two (-32768)^2 products wraps to -2^31).
int16_t fx_dot_mmx(const int16_t* p, const int16_t* q, int32_t count);
void fx_lincomb_mmx(int16_t a, int16_t* dst, int16_t b, const int16_t* src, int32_t count);
void fx_add_sat_mmx(int16_t* dst, const int16_t* src, int32_t count);
void fx_scale_mmx(int16_t* dst, int16_t k, int32_t count);
