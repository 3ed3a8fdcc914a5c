// The memory and string primitives of the C library, the browser's own: the 32-bit Windows
// program imports no C run-time DLL (the first Windows 95 releases have none), so these are
// what its memchr, memcmp, memcpy, memmove, memset and strlen stand for (c_library_names.cpp),
// including the calls the compiler makes on its own for copies and clears.
//
// Each behaves exactly as the C library's function of the same name: bytes are compared and
// searched as unsigned char, memchr's and memset's value is converted to unsigned char,
// memcmp's sign is that of the first differing pair of bytes, memmove handles overlap in
// either direction.
#pragma once

#include <cstddef>

extern "C" {

void* tolvane_memchr(const void* block, int value, std::size_t size);
int tolvane_memcmp(const void* a, const void* b, std::size_t size);
void* tolvane_memcpy(void* destination, const void* source, std::size_t size);
void* tolvane_memmove(void* destination, const void* source, std::size_t size);
void* tolvane_memset(void* destination, int value, std::size_t size);
std::size_t tolvane_strlen(const char* text);
}
