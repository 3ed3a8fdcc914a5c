// The C library's names for our own primitives, for the programs that link no C library
// (the Windows 95 programs, the freestanding Linux one): the calls the code and the compiler
// make to memcpy and the others land here.
#include "byte_functions.h"

extern "C" {

void* memchr(const void* block, int value, std::size_t size) {
    return pcu_memchr(block, value, size);
}

int memcmp(const void* a, const void* b, std::size_t size) {
    return pcu_memcmp(a, b, size);
}

void* memcpy(void* destination, const void* source, std::size_t size) {
    return pcu_memcpy(destination, source, size);
}

void* memmove(void* destination, const void* source, std::size_t size) {
    return pcu_memmove(destination, source, size);
}

void* memset(void* destination, int value, std::size_t size) {
    return pcu_memset(destination, value, size);
}

std::size_t strlen(const char* text) {
    return pcu_strlen(text);
}
}
