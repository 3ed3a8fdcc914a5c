// memcpy, memmove, memset and strlen for the programs built without any C library (the
// Windows 95 programs and the freestanding Linux one): the compiler calls them on its own,
// for copies and fills of structures and arrays and for loops it recognises, and the
// programs' code calls them through <cstring>.
//
// This file is built with -fno-tree-loop-distribute-patterns, so that the compiler does
// not turn these very loops back into calls of themselves.
#include <cstddef>

extern "C" {

void* memcpy(void* destination, const void* source, size_t count) {
    auto* to = static_cast<unsigned char*>(destination);
    const auto* from = static_cast<const unsigned char*>(source);
    for (size_t i = 0; i < count; ++i)
        to[i] = from[i];
    return destination;
}

void* memmove(void* destination, const void* source, size_t count) {
    auto* to = static_cast<unsigned char*>(destination);
    const auto* from = static_cast<const unsigned char*>(source);
    if (to < from) {
        for (size_t i = 0; i < count; ++i)
            to[i] = from[i];
    } else {
        for (size_t i = count; i > 0; --i)
            to[i - 1] = from[i - 1];
    }
    return destination;
}

void* memset(void* destination, int value, size_t count) {
    auto* to = static_cast<unsigned char*>(destination);
    for (size_t i = 0; i < count; ++i)
        to[i] = static_cast<unsigned char>(value);
    return destination;
}

size_t strlen(const char* text) {
    size_t length = 0;
    while (text[length] != '\0')
        ++length;
    return length;
}

} // extern "C"
