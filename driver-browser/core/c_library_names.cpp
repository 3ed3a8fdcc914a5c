// The C library's names for the browser's own primitives, for the 32-bit Windows programs
// that link no C run-time: the calls the code and the compiler make to memcpy and the
// others land here.
#include "byte_functions.h"

extern "C" {

void* memchr(const void* block, int value, std::size_t size) {
    return tolvane_memchr(block, value, size);
}

int memcmp(const void* a, const void* b, std::size_t size) {
    return tolvane_memcmp(a, b, size);
}

void* memcpy(void* destination, const void* source, std::size_t size) {
    return tolvane_memcpy(destination, source, size);
}

void* memmove(void* destination, const void* source, std::size_t size) {
    return tolvane_memmove(destination, source, size);
}

void* memset(void* destination, int value, std::size_t size) {
    return tolvane_memset(destination, value, size);
}

std::size_t strlen(const char* text) {
    return tolvane_strlen(text);
}
}
