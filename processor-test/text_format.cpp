// The variadic form of text_vformat.
#include "text_format.h"

int text_format(char* buffer, size_t size, const char* format, ...) {
    va_list args;
    va_start(args, format);
    int length = text_vformat(buffer, size, format, args);
    va_end(args);
    return length;
}
