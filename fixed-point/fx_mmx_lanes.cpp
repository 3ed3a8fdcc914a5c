// Portable lane model of the MMX kernels: one function per instruction, and the four
// kernels built from them in the same order as the MMX instruction sequences.
#include "fx_mmx_lanes.h"

#include "fx_arith.h"

using namespace fx_detail;

FxLanes32 fx_lanes_pmaddwd(FxLanes16 x, FxLanes16 y) {
    FxLanes32 r{};
    for (int half = 0; half < 2; ++half) {
        const int64_t sum = static_cast<int64_t>(x.w[2 * half]) * y.w[2 * half] +
                            static_cast<int64_t>(x.w[2 * half + 1]) * y.w[2 * half + 1];
        r.d[half] = wrap32(sum); // only (-32768)^2 + (-32768)^2 = 2^31 wraps, to -2^31
    }
    return r;
}

FxLanes32 fx_lanes_psrad(FxLanes32 x, int shift) {
    return FxLanes32{{shift_right(x.d[0], shift), shift_right(x.d[1], shift)}};
}

FxLanes32 fx_lanes_paddd(FxLanes32 x, FxLanes32 y) {
    return FxLanes32{{wrap32(static_cast<int64_t>(x.d[0]) + y.d[0]),
                      wrap32(static_cast<int64_t>(x.d[1]) + y.d[1])}};
}

FxLanes16 fx_lanes_packssdw(FxLanes32 low, FxLanes32 high) {
    return FxLanes16{
        {clamp_full(low.d[0]), clamp_full(low.d[1]), clamp_full(high.d[0]), clamp_full(high.d[1])}};
}

FxLanes16 fx_lanes_paddsw(FxLanes16 x, FxLanes16 y) {
    FxLanes16 r{};
    for (int lane = 0; lane < 4; ++lane) {
        r.w[lane] = clamp_full(static_cast<int32_t>(x.w[lane]) + y.w[lane]);
    }
    return r;
}

FxLanes16 fx_lanes_pcmpeqw(FxLanes16 x, FxLanes16 y) {
    FxLanes16 r{};
    for (int lane = 0; lane < 4; ++lane) {
        r.w[lane] = static_cast<int16_t>(x.w[lane] == y.w[lane] ? -1 : 0);
    }
    return r;
}

FxLanes16 fx_lanes_psubw(FxLanes16 x, FxLanes16 y) {
    FxLanes16 r{};
    for (int lane = 0; lane < 4; ++lane) {
        r.w[lane] = wrap16(static_cast<int32_t>(x.w[lane]) - y.w[lane]);
    }
    return r;
}

FxLanes16 fx_lanes_punpcklwd(FxLanes16 x, FxLanes16 y) {
    return FxLanes16{{x.w[0], y.w[0], x.w[1], y.w[1]}};
}

FxLanes16 fx_lanes_punpckhwd(FxLanes16 x, FxLanes16 y) {
    return FxLanes16{{x.w[2], y.w[2], x.w[3], y.w[3]}};
}

namespace {

FxLanes16 load_group(const int16_t* group) {
    return FxLanes16{{group[0], group[1], group[2], group[3]}};
}

void store_group(int16_t* group, FxLanes16 value) {
    for (int lane = 0; lane < 4; ++lane) {
        group[lane] = value.w[lane];
    }
}

// Number of four-element groups the MMX loop runs for a count: ceil(count / 4), 0 for a
// count below 1.
int32_t group_count(int32_t count) {
    return count < 1 ? 0 : (count - 1) / 4 + 1;
}

// The same 32-bit value in both halves (MOVD, copy, PSLLQ 32, POR).
FxLanes32 both_halves(int32_t value) {
    return FxLanes32{{value, value}};
}

// A pair of 32-bit halves reinterpreted as four 16-bit lanes (low half first).
FxLanes16 as_words(FxLanes32 x) {
    FxLanes16 r{};
    for (int half = 0; half < 2; ++half) {
        const uint32_t bits = static_cast<uint32_t>(x.d[half]);
        r.w[2 * half] = wrap16(static_cast<int32_t>(bits & 0xFFFFu));
        r.w[2 * half + 1] = wrap16(static_cast<int32_t>(bits >> 16));
    }
    return r;
}

// PMADDWD of the (x, destination) pairs with the coefficients, + 2048, arithmetic >> 12,
// PACKSSDW: the multiply step of fx_lincomb and fx_scale.
FxLanes16 multiply_pairs(FxLanes16 x, FxLanes16 destination, FxLanes16 coefficients) {
    const FxLanes32 rounding = both_halves(2048);
    FxLanes32 low = fx_lanes_pmaddwd(fx_lanes_punpcklwd(x, destination), coefficients);
    FxLanes32 high = fx_lanes_pmaddwd(fx_lanes_punpckhwd(x, destination), coefficients);
    low = fx_lanes_psrad(fx_lanes_paddd(low, rounding), 12);
    high = fx_lanes_psrad(fx_lanes_paddd(high, rounding), 12);
    return fx_lanes_packssdw(low, high);
}

} // namespace

// Two 32-bit partial sums of pairs of products, each pair floored by 10 bits; S = L0 + L1
// (wrapping), r = (S + 2) >> 2, saturated to -32768..32767 by PACKSSDW.
int16_t fx_dot_lanes(const int16_t* p, const int16_t* q, int32_t count) {
    if (count < 1) {
        return 0;
    }
    FxLanes32 sums{};
    for (int32_t g = 0; g < group_count(count); ++g) {
        const FxLanes32 pairs = fx_lanes_pmaddwd(load_group(p + 4 * g), load_group(q + 4 * g));
        sums = fx_lanes_paddd(sums, fx_lanes_psrad(pairs, 10));
    }
    const int32_t total = wrap32(static_cast<int64_t>(sums.d[0]) + sums.d[1]);
    const int32_t rounded = round_shift(total, 2);
    return fx_lanes_packssdw(both_halves(rounded), both_halves(rounded)).w[0];
}

// dst = a * dst + b * src per element: PMADDWD of (src, dst) pairs with (b, a), + 2048,
// >> 12, PACKSSDW to -32768..32767.
void fx_lincomb_lanes(int16_t a, int16_t* dst, int16_t b, const int16_t* src, int32_t count) {
    const uint32_t b_low_a_high =
        (static_cast<uint32_t>(static_cast<uint16_t>(a)) << 16) | static_cast<uint16_t>(b);
    const FxLanes16 coefficients = as_words(both_halves(wrap32(b_low_a_high)));
    for (int32_t g = 0; g < group_count(count); ++g) {
        int16_t* d = dst + 4 * g;
        store_group(d, multiply_pairs(load_group(src + 4 * g), load_group(d), coefficients));
    }
}

// dst = dst + src per element with 16-bit signed saturation (PADDSW).
void fx_add_sat_lanes(int16_t* dst, const int16_t* src, int32_t count) {
    for (int32_t g = 0; g < group_count(count); ++g) {
        store_group(dst + 4 * g, fx_lanes_paddsw(load_group(dst + 4 * g), load_group(src + 4 * g)));
    }
}

// dst = dst * k per element: PMADDWD of (x, dst) pairs with (0, k), + 2048, >> 12,
// PACKSSDW, then -32768 turned into -32767 by PCMPEQW/PSUBW (the symmetric clamp).
void fx_scale_lanes(int16_t* dst, int16_t k, int32_t count) {
    const uint32_t k_high = static_cast<uint32_t>(static_cast<uint16_t>(k)) << 16;
    const FxLanes16 coefficients = as_words(both_halves(wrap32(k_high)));
    const FxLanes16 marker = FxLanes16{{INT16_MIN, INT16_MIN, INT16_MIN, INT16_MIN}};
    // The MMX kernel interleaves with whatever its work registers hold; those lanes are
    // multiplied by 0, so any value gives the same result.
    const FxLanes16 unused{};
    for (int32_t g = 0; g < group_count(count); ++g) {
        int16_t* d = dst + 4 * g;
        const FxLanes16 packed = multiply_pairs(unused, load_group(d), coefficients);
        store_group(d, fx_lanes_psubw(packed, fx_lanes_pcmpeqw(marker, packed)));
    }
}
