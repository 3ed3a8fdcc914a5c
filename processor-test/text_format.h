// Formatting into a bounded buffer, the same on every platform: the text is cut at
// size - 1 characters and always terminated.
#pragma once

#include <cstdarg>
#include <cstddef>

// Returns the number of characters stored (without the terminator), or -1 when the
// format cannot be carried out. `size` must be at least 1.
int text_vformat(char* buffer, size_t size, const char* format, va_list args);

int text_format(char* buffer, size_t size, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;
