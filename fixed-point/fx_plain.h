// Plain (one element at a time) paths of the four dispatching kernels. Library-internal:
// callers use fx_dot, fx_lincomb, fx_add_sat and fx_scale, which choose the path.
#pragma once

#include <cstdint>

int16_t fx_dot_plain(const int16_t* p, const int16_t* q, int32_t count);
void fx_lincomb_plain(int16_t a, int16_t* dst, int16_t b, const int16_t* src, int32_t count);
void fx_add_sat_plain(int16_t* dst, const int16_t* src, int32_t count);
void fx_scale_plain(int16_t* dst, int16_t k, int32_t count);
