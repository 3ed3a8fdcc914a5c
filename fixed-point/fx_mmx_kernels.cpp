// The MMX kernels: fx_dot_mmx, fx_lincomb_mmx, fx_add_sat_mmx, fx_scale_mmx.
//
// Each kernel is one block of MMX instructions (x86, 32- and 64-bit, the only processors the
// library is built for): the constant registers are built once before the loop, the source
// group enters the multiply-add or saturating add directly as a memory operand, the loop
// carries no branch but its test, and EMMS ends every call, so the caller may use floating
// point at once.
//
// Group rule: the first group of four elements is handled unconditionally; the loop goes on
// while the running pointer (p for the dot product, dst for the others), advanced by 8
// bytes per group, is below the address just past element count - 1 (unsigned compare).
// A count of n >= 1 thus handles 4 * ceil(n / 4) elements: every array must extend to the
// next multiple of four, the extra elements are read, and in dst they are overwritten (the
// dot product adds their products). A count below 1 touches no memory (the dot product then
// returns 0). The portable lane model (fx_mmx_lanes.h) gives the same results, step by step.
#include "fixed_point.h"

#include <cstdint>

// Every kernel is declared to clobber all eight MMX registers (its EMMS leaves them all
// empty) and the flags, and reads and writes the caller's arrays through its pointer
// registers (hence "memory"). The MMX registers are the x87 registers,
// so the x87 stack is declared clobbered too; where the compiler itself has MMX disabled
// (32-bit targets without -mmmx) it never allocates an MMX register and rejects their names,
// and the x87 clobbers alone cover the shared state.
#if defined(__MMX__)
#define FX_MMX_REGISTER_CLOBBERS "mm0", "mm1", "mm2", "mm3", "mm4", "mm5", "mm6", "mm7",
#else
#define FX_MMX_REGISTER_CLOBBERS
#endif
#define FX_MMX_CLOBBERS                                                                            \
    FX_MMX_REGISTER_CLOBBERS "cc", "memory", "st", "st(1)", "st(2)", "st(3)", "st(4)", "st(5)",    \
        "st(6)", "st(7)"

namespace {

// Address just past element count - 1 of an array: the loop bound.
uintptr_t end_address(const int16_t* first, int32_t count) {
    return reinterpret_cast<uintptr_t>(first) + 2u * static_cast<uintptr_t>(count);
}

// Distance in bytes from one array to another, so the second array's group is addressed
// relative to the running pointer of the first (wraps modulo the address size).
uintptr_t byte_offset(const int16_t* from, const int16_t* to) {
    return reinterpret_cast<uintptr_t>(to) - reinterpret_cast<uintptr_t>(from);
}

} // namespace

// Q4.12 dot product, four elements per step: PMADDWD pairs (wrapping 2^31 to -2^31), each
// pair floored by 10 bits (PSRAD), two 32-bit running sums (PADDD, wrapping) combined once;
// r = (L0 + L1 + 2) >> 2 arithmetic, saturated to -32768..32767 by PACKSSDW.
int16_t fx_dot_mmx(const int16_t* p, const int16_t* q, int32_t count) {
    if (count < 1) {
        return 0;
    }
    uintptr_t run = reinterpret_cast<uintptr_t>(p);
    const uintptr_t q_offset = byte_offset(p, q);
    const uintptr_t end = end_address(p, count);
    uint32_t result;
    uint32_t high_sum;
    __asm__ volatile("pxor      %%mm0, %%mm0\n\t"
                     "1:\n\t"
                     "movq      (%[run]), %%mm1\n\t"
                     "pmaddwd   (%[run],%[q_offset]), %%mm1\n\t"
                     "psrad     $10, %%mm1\n\t"
                     "paddd     %%mm1, %%mm0\n\t"
                     "add       $8, %[run]\n\t"
                     "cmp       %[end], %[run]\n\t"
                     "jb        1b\n\t"
                     "movd      %%mm0, %[result]\n\t"
                     "psrlq     $32, %%mm0\n\t"
                     "movd      %%mm0, %[high_sum]\n\t"
                     "add       %[high_sum], %[result]\n\t"
                     "add       $2, %[result]\n\t"
                     "sar       $2, %[result]\n\t"
                     "movd      %[result], %%mm0\n\t"
                     "packssdw  %%mm0, %%mm0\n\t"
                     "movd      %%mm0, %[result]\n\t"
                     "emms\n\t"
                     : [run] "+r"(run), [result] "=&r"(result), [high_sum] "=&r"(high_sum)
                     : [q_offset] "r"(q_offset), [end] "r"(end)
                     : FX_MMX_CLOBBERS);
    return static_cast<int16_t>(static_cast<uint16_t>(result & 0xFFFFu));
}

// dst = a * dst + b * src per element: (src, dst) pairs interleaved (PUNPCKLWD/PUNPCKHWD)
// and multiplied with lanes (b, a, b, a) by PMADDWD (32-bit, 2^31 wraps), + 2048, arithmetic
// >> 12, PACKSSDW saturation to -32768..32767 (plain fx_lincomb gives -32767 where this
// gives -32768).
void fx_lincomb_mmx(int16_t a, int16_t* dst, int16_t b, const int16_t* src, int32_t count) {
    if (count < 1) {
        return;
    }
    uintptr_t run = reinterpret_cast<uintptr_t>(dst);
    const uintptr_t src_offset = byte_offset(dst, src);
    const uintptr_t end = end_address(dst, count);
    const uint32_t b_low_a_high =
        (static_cast<uint32_t>(static_cast<uint16_t>(a)) << 16) | static_cast<uint16_t>(b);
    const uint32_t rounding = 2048;
    __asm__ volatile("movd      %[coef], %%mm6\n\t"
                     "movd      %[coef], %%mm0\n\t"
                     "psllq     $32, %%mm0\n\t"
                     "por       %%mm0, %%mm6\n\t"
                     "movd      %[rounding], %%mm7\n\t"
                     "movd      %[rounding], %%mm0\n\t"
                     "psllq     $32, %%mm0\n\t"
                     "por       %%mm0, %%mm7\n\t"
                     "1:\n\t"
                     "movq      (%[run],%[src_offset]), %%mm1\n\t"
                     "movq      %%mm1, %%mm2\n\t"
                     "punpcklwd (%[run]), %%mm1\n\t"
                     "punpckhwd (%[run]), %%mm2\n\t"
                     "pmaddwd   %%mm6, %%mm1\n\t"
                     "pmaddwd   %%mm6, %%mm2\n\t"
                     "paddd     %%mm7, %%mm1\n\t"
                     "paddd     %%mm7, %%mm2\n\t"
                     "psrad     $12, %%mm1\n\t"
                     "psrad     $12, %%mm2\n\t"
                     "packssdw  %%mm2, %%mm1\n\t"
                     "movq      %%mm1, (%[run])\n\t"
                     "add       $8, %[run]\n\t"
                     "cmp       %[end], %[run]\n\t"
                     "jb        1b\n\t"
                     "emms\n\t"
                     : [run] "+r"(run)
                     : [src_offset] "r"(src_offset), [end] "r"(end), [coef] "r"(b_low_a_high),
                       [rounding] "r"(rounding)
                     : FX_MMX_CLOBBERS);
}

// dst = dst + src per element with signed 16-bit saturation (PADDSW): -32768..32767,
// identical to plain fx_add_sat.
void fx_add_sat_mmx(int16_t* dst, const int16_t* src, int32_t count) {
    if (count < 1) {
        return;
    }
    uintptr_t run = reinterpret_cast<uintptr_t>(dst);
    const uintptr_t src_offset = byte_offset(dst, src);
    const uintptr_t end = end_address(dst, count);
    __asm__ volatile("1:\n\t"
                     "movq      (%[run]), %%mm0\n\t"
                     "paddsw    (%[run],%[src_offset]), %%mm0\n\t"
                     "movq      %%mm0, (%[run])\n\t"
                     "add       $8, %[run]\n\t"
                     "cmp       %[end], %[run]\n\t"
                     "jb        1b\n\t"
                     "emms\n\t"
                     : [run] "+r"(run)
                     : [src_offset] "r"(src_offset), [end] "r"(end)
                     : FX_MMX_CLOBBERS);
}

// dst = dst * k per element: dst interleaved with the work registers' lanes and multiplied
// with lanes (0, k, 0, k) by PMADDWD, + 2048, arithmetic >> 12, PACKSSDW, then lanes equal
// to -32768 become -32767 (PCMPEQW mask subtracted): the symmetric clamp -32767..32767,
// identical to plain fx_scale. The work registers' own lanes are multiplied by 0, but the
// processor would still wait for their previous values, chaining every group to the one
// before; the PXOR at the top of the loop (recognised as independent of the old value)
// breaks that chain without changing a result.
void fx_scale_mmx(int16_t* dst, int16_t k, int32_t count) {
    if (count < 1) {
        return;
    }
    uintptr_t run = reinterpret_cast<uintptr_t>(dst);
    const uintptr_t end = end_address(dst, count);
    const uint32_t k_high = static_cast<uint32_t>(static_cast<uint16_t>(k)) << 16;
    const uint32_t rounding = 2048;
    const uint32_t marker_pair = 0x80008000u;
    __asm__ volatile(
        "movd      %[coef], %%mm6\n\t"
        "movd      %[coef], %%mm0\n\t"
        "psllq     $32, %%mm0\n\t"
        "por       %%mm0, %%mm6\n\t"
        "movd      %[rounding], %%mm7\n\t"
        "movd      %[rounding], %%mm0\n\t"
        "psllq     $32, %%mm0\n\t"
        "por       %%mm0, %%mm7\n\t"
        "movd      %[marker], %%mm5\n\t"
        "movd      %[marker], %%mm0\n\t"
        "psllq     $32, %%mm0\n\t"
        "por       %%mm0, %%mm5\n\t"
        "1:\n\t"
        "pxor      %%mm1, %%mm1\n\t"
        "pxor      %%mm2, %%mm2\n\t"
        "punpcklwd (%[run]), %%mm1\n\t"
        "punpckhwd (%[run]), %%mm2\n\t"
        "pmaddwd   %%mm6, %%mm1\n\t"
        "pmaddwd   %%mm6, %%mm2\n\t"
        "paddd     %%mm7, %%mm1\n\t"
        "paddd     %%mm7, %%mm2\n\t"
        "psrad     $12, %%mm1\n\t"
        "psrad     $12, %%mm2\n\t"
        "packssdw  %%mm2, %%mm1\n\t"
        "movq      %%mm5, %%mm3\n\t"
        "pcmpeqw   %%mm1, %%mm3\n\t"
        "psubw     %%mm3, %%mm1\n\t"
        "movq      %%mm1, (%[run])\n\t"
        "add       $8, %[run]\n\t"
        "cmp       %[end], %[run]\n\t"
        "jb        1b\n\t"
        "emms\n\t"
        : [run] "+r"(run)
        : [end] "r"(end), [coef] "r"(k_high), [rounding] "r"(rounding), [marker] "r"(marker_pair)
        : FX_MMX_CLOBBERS);
}
