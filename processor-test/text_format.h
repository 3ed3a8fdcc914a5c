// Pexmoor's own bounded formatting, the same in every build (no C library involved), so
// that every build prints the same text byte for byte.
//
// It carries out the conversions Pexmoor's texts use, with the C library's results:
//   %s               a text
//   %d %ld           a signed int or long
//   %u %lu           an unsigned int or long
//   %f, %.Nf         a double in fixed notation, N fraction digits (6 when not given, at
//                    most FIXED_DECIMAL_MAX_PRECISION), rounded exactly, halves to even;
//                    inf, -inf, nan, -nan
//   %%               a percent sign
// each with an optional field width (right-aligned, padded with blanks). Flags, other
// length modifiers and other conversions are not carried out: the call returns -1.
#pragma once

#include <cstdarg>
#include <cstddef>

// Formats into `buffer`: the text is cut at size - 1 characters and always terminated.
// Returns the number of characters stored (without the terminator), or -1 when the
// format cannot be carried out (the buffer then holds the text up to that point).
// `size` must be at least 1.
int text_vformat(char* buffer, size_t size, const char* format, va_list args);

int text_format(char* buffer, size_t size, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;
