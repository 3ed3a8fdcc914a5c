// A double in fixed-point decimal notation ("%.Nf"), exactly: the digits are those of the
// double's exact binary value, rounded to the precision with halves going to the even
// digit, as a C library does in the default rounding mode (0.25 -> "0.2", 0.35 -> "0.3",
// since 0.35 is stored as 0.34999..., 2.45 -> "2.5", stored as 2.4500...). Integer
// arithmetic only, in 32 bits, and no heap.
#pragma once

#include <cstddef>

// The largest precision supported.
constexpr int FIXED_DECIMAL_MAX_PRECISION = 20;

// Room for any result: sign, 309 integer digits, point, fraction digits, terminator.
constexpr size_t FIXED_DECIMAL_SIZE = 1 + 309 + 1 + FIXED_DECIMAL_MAX_PRECISION + 1;

// Writes `value` with `precision` (0 to FIXED_DECIMAL_MAX_PRECISION) fraction digits into
// `text`, which holds FIXED_DECIMAL_SIZE characters, terminated. Infinities are "inf" and
// "-inf", NaNs "nan" or "-nan" by their sign bit; negative zero keeps its sign ("-0.0").
// Returns the length, or -1 for a precision out of range.
int fixed_decimal(double value, int precision, char* text);
