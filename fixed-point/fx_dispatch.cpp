// The mmx_enabled switch and the four dispatching kernels: each reads the switch once per
// call and hands the whole call either to its MMX form or to its plain path.
#include "fixed_point.h"
#include "fx_plain.h"

int32_t mmx_enabled = 0;

int16_t fx_dot(const int16_t* p, const int16_t* q, int32_t count) {
    if (mmx_enabled != 0) {
        return fx_dot_mmx(p, q, count);
    }
    return fx_dot_plain(p, q, count);
}

void fx_lincomb(int16_t a, int16_t* dst, int16_t b, const int16_t* src, int32_t count) {
    if (mmx_enabled != 0) {
        fx_lincomb_mmx(a, dst, b, src, count);
    } else {
        fx_lincomb_plain(a, dst, b, src, count);
    }
}

void fx_add_sat(int16_t* dst, const int16_t* src, int32_t count) {
    if (mmx_enabled != 0) {
        fx_add_sat_mmx(dst, src, count);
    } else {
        fx_add_sat_plain(dst, src, count);
    }
}

void fx_scale(int16_t* dst, int16_t k, int32_t count) {
    if (mmx_enabled != 0) {
        fx_scale_mmx(dst, k, count);
    } else {
        fx_scale_plain(dst, k, count);
    }
}
