// The memory and string primitives of the C library, our own: the Windows 95 programs and the
// freestanding Linux one link no C library (the first Windows 95 releases have no C run-time
// DLL), so these are what their memchr, memcmp, memcpy, memmove, memset and strlen stand for
// (c_library_names.cpp, linked into those programs only), including the calls the compiler
// makes on its own for copies and clears.
//
// Each behaves exactly as the C library's function of the same name: bytes are compared and
// searched as unsigned char, memchr's and memset's value is converted to unsigned char,
// memcmp's sign is that of the first differing pair of bytes, memmove handles overlap in
// either direction.
#pragma once

#include <cstddef>

extern "C" {

void* pcu_memchr(const void* block, int value, std::size_t size);
int pcu_memcmp(const void* a, const void* b, std::size_t size);
void* pcu_memcpy(void* destination, const void* source, std::size_t size);
void* pcu_memmove(void* destination, const void* source, std::size_t size);
void* pcu_memset(void* destination, int value, std::size_t size);
std::size_t pcu_strlen(const char* text);
}
