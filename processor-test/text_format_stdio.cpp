// Bounded formatting through the C library's vsnprintf.
#include "text_format.h"

#include <cstdio>

int text_vformat(char* buffer, size_t size, const char* format, va_list args) {
    int length = std::vsnprintf(buffer, size, format, args);
    if (length < 0)
        return -1;
    return static_cast<size_t>(length) < size ? length : static_cast<int>(size - 1);
}
