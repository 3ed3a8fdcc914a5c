// Double -> Q4.12.
#include "fx_convert.h"

// value * 4096, then + 0.5 when positive, - 0.5 otherwise (zero, negative, NaN), truncated
// toward zero: rounding to nearest with halves away from zero. Above 32767 saturates to
// 32767; below -32768 and NaN give -32768. The range checks come before the conversion to
// integer, so no out-of-range conversion occurs.
int16_t fx_from_double(double value) {
    double x = value * 4096.0;
    if (x > 0.0) {
        x = x + 0.5;
    } else {
        x = x - 0.5;
    }
    if (x > 32767.0) {
        return 32767;
    }
    if (x < -32768.0 || x != x) {
        return -32768;
    }
    return static_cast<int16_t>(x);
}
