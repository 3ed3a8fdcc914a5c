// Internal arithmetic helpers shared by the fixed-point routines: explicit 32- and 16-bit
// wrapping, arithmetic right shift, rounding and the symmetric clamp.
#pragma once

#include <cstdint>

namespace fx_detail {

// Low 32 bits of a 64-bit value as a signed two's-complement number (wraps modulo 2^32).
inline int32_t wrap32(int64_t value) {
    const uint32_t bits = static_cast<uint32_t>(static_cast<uint64_t>(value));
    return bits >= 0x80000000u ? static_cast<int32_t>(static_cast<int64_t>(bits) - 0x100000000LL)
                               : static_cast<int32_t>(bits);
}

// Low 16 bits of a 32-bit value as a signed two's-complement number (wraps modulo 2^16).
inline int16_t wrap16(int32_t value) {
    const uint32_t bits = static_cast<uint32_t>(value) & 0xFFFFu;
    return static_cast<int16_t>(bits >= 0x8000u ? static_cast<int32_t>(bits) - 0x10000
                                                : static_cast<int32_t>(bits));
}

// Arithmetic right shift (toward minus infinity) of a 32-bit value, 0 <= shift <= 31.
inline int32_t shift_right(int32_t value, int shift) {
    return value >= 0 ? value >> shift : -1 - ((-1 - value) >> shift);
}

// (value + half) >> shift with the addition wrapping modulo 2^32: the rounding step of the
// kernels (halves round toward plus infinity).
inline int32_t round_shift(int32_t value, int shift) {
    const int32_t half = static_cast<int32_t>(1) << (shift - 1);
    return shift_right(wrap32(static_cast<int64_t>(value) + half), shift);
}

// r clamped to lowest..highest.
inline int16_t clamp_to(int32_t r, int32_t lowest, int32_t highest) {
    return static_cast<int16_t>(r > highest ? highest : r < lowest ? lowest : r);
}

// Symmetric clamp of the multiplicative routines: above 32767 gives 32767, below -32767 gives
// -32767. Never yields -32768.
inline int16_t clamp_symmetric(int32_t r) {
    return clamp_to(r, -32767, 32767);
}

// Full-range saturation to -32768..32767.
inline int16_t clamp_full(int32_t r) {
    return clamp_to(r, -32768, 32767);
}

// a * x + b * y of 16-bit operands as a 32-bit sum wrapping modulo 2^32 (only all four at
// -32768 reaches 2^31, which wraps to -2^31).
inline int32_t mul_add(int16_t a, int16_t x, int16_t b, int16_t y) {
    return wrap32(static_cast<int64_t>(a) * x + static_cast<int64_t>(b) * y);
}

} // namespace fx_detail
