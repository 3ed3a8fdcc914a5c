// Double -> Q4.12.
#include "fx_convert.h"

namespace {

// Rounds an intermediate to double precision even where the compiler keeps floating-point
// values in wider registers (x87 code on 32-bit x86), so every build gives the same result.
double as_double(double value) {
    volatile double stored = value;
    return stored;
}

} // namespace

// value * 4096, then + 0.5 when positive, - 0.5 otherwise (zero, negative, NaN), each step
// rounded to double, then truncated toward zero: rounding to nearest with halves away from
// zero. Above 32767 saturates to 32767; below -32768 and NaN give -32768. The range checks
// come before the conversion to integer, so no out-of-range conversion occurs.
int16_t fx_from_double(double value) {
    double x = as_double(value * 4096.0);
    if (x > 0.0) {
        x = as_double(x + 0.5);
    } else {
        x = as_double(x - 0.5);
    }
    if (x > 32767.0) {
        return 32767;
    }
    if (x < -32768.0 || x != x) {
        return -32768;
    }
    return static_cast<int16_t>(x);
}
