// Pexmoor's own formatting, the same in every build (no C library involved), so that every
// build prints the same text byte for byte. It carries out what Pexmoor's texts use, with
// the C library's results:
//   %s        a text
//   %d        an int
//   %lu       an unsigned long
//   %N.1f     a double with one decimal, right-aligned in a field of N characters (N may be
//             left out), rounded from its exact binary value with halves to even, as the C
//             library does in the default rounding mode; inf, -inf, nan, -nan
// Anything else (flags, other widths, precisions or conversions) is not carried out.
#pragma once

#include <cstddef>

#include "platform.h"

// Formats into `buffer`: the text is cut at size - 1 characters and always terminated.
// Returns the number of characters stored (without the terminator), or -1 when the format
// cannot be carried out (the buffer then holds the text up to that point). `size` must be at
// least 1.
int text_format(char* buffer, size_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// Writes a text on the console and flushes it.
void console_text(const pex_console* console, const char* text);

// Formats into a buffer of 256 characters (longer output is cut at 255), writes the text and
// flushes it.
void console_print(const pex_console* console, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
