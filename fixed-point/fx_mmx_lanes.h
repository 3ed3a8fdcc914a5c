// Portable lane model of the MMX kernels. Each function here carries out, lane by lane and
// group by group, exactly what the MMX instruction sequence of the matching fx_*_mmx kernel
// does: PMADDWD with its 32-bit wrap, PSRAD, PADDD, PACKSSDW, PADDSW, PCMPEQW and PSUBW.
// The kernels run real MMX instructions; this model is the tests' oracle.
//
// Group rule (as the MMX kernels): a count of n >= 1 handles 4 * ceil(n / 4) elements, so
// every array must extend to the next multiple of four; a count below 1 touches nothing.
#pragma once

#include <cstdint>

// A 64-bit MMX register seen as four 16-bit lanes (lane 0 = lowest-addressed element)
// or as two 32-bit halves.
struct FxLanes16 {
    int16_t w[4];
};
struct FxLanes32 {
    int32_t d[2];
};

// ---- single instructions ----
FxLanes32 fx_lanes_pmaddwd(FxLanes16 x, FxLanes16 y);       // (x0*y0 + x1*y1, x2*y2 + x3*y3), wrap
FxLanes32 fx_lanes_psrad(FxLanes32 x, int shift);           // arithmetic shift of each half
FxLanes32 fx_lanes_paddd(FxLanes32 x, FxLanes32 y);         // 32-bit add, wrap
FxLanes16 fx_lanes_packssdw(FxLanes32 low, FxLanes32 high); // signed saturation to 16 bits
FxLanes16 fx_lanes_paddsw(FxLanes16 x, FxLanes16 y);        // 16-bit add, signed saturation
FxLanes16 fx_lanes_pcmpeqw(FxLanes16 x, FxLanes16 y);       // -1 where equal, 0 elsewhere
FxLanes16 fx_lanes_psubw(FxLanes16 x, FxLanes16 y);         // 16-bit subtract, wrap
FxLanes16 fx_lanes_punpcklwd(FxLanes16 x, FxLanes16 y);     // (x0, y0, x1, y1)
FxLanes16 fx_lanes_punpckhwd(FxLanes16 x, FxLanes16 y);     // (x2, y2, x3, y3)

// ---- whole kernels, same arguments and results as the fx_*_mmx routines ----
int16_t fx_dot_lanes(const int16_t* p, const int16_t* q, int32_t count);
void fx_lincomb_lanes(int16_t a, int16_t* dst, int16_t b, const int16_t* src, int32_t count);
void fx_add_sat_lanes(int16_t* dst, const int16_t* src, int32_t count);
void fx_scale_lanes(int16_t* dst, int16_t k, int32_t count);
