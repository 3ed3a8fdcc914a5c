// Built with -fno-builtin and without loop-pattern recognition (see CMakeLists.txt), so that
// the compiler does not turn these loops back into calls to the functions they implement.
#include "byte_functions.h"

#include <cstdint>

namespace {

// Whole 32-bit words where both addresses allow them; the byte type may alias anything.
using Word = std::uint32_t __attribute__((__may_alias__));

bool wordAligned(const void* a, const void* b) {
    return ((reinterpret_cast<std::uintptr_t>(a) | reinterpret_cast<std::uintptr_t>(b)) &
            (sizeof(Word) - 1)) == 0;
}

} // namespace

extern "C" {

void* pcu_memchr(const void* block, int value, std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(block);
    const auto wanted = static_cast<unsigned char>(value);
    for (; size != 0; --size, ++p) {
        if (*p == wanted) {
            return const_cast<unsigned char*>(p);
        }
    }
    return nullptr;
}

int pcu_memcmp(const void* a, const void* b, std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(a);
    const auto* q = static_cast<const unsigned char*>(b);
    for (; size != 0; --size, ++p, ++q) {
        if (*p != *q) {
            return *p < *q ? -1 : 1;
        }
    }
    return 0;
}

void* pcu_memcpy(void* destination, const void* source, std::size_t size) {
    auto* d = static_cast<unsigned char*>(destination);
    const auto* s = static_cast<const unsigned char*>(source);
    if (wordAligned(d, s)) {
        for (; size >= sizeof(Word); size -= sizeof(Word)) {
            *reinterpret_cast<Word*>(d) = *reinterpret_cast<const Word*>(s);
            d += sizeof(Word);
            s += sizeof(Word);
        }
    }
    for (; size != 0; --size) {
        *d++ = *s++;
    }
    return destination;
}

void* pcu_memmove(void* destination, const void* source, std::size_t size) {
    auto* d = static_cast<unsigned char*>(destination);
    const auto* s = static_cast<const unsigned char*>(source);
    // Forwards unless the destination starts inside the source (compared as integers: the
    // two blocks need not belong to one array).
    const auto from = reinterpret_cast<std::uintptr_t>(s);
    const auto to = reinterpret_cast<std::uintptr_t>(d);
    if (to - from >= size) {
        for (; size != 0; --size) {
            *d++ = *s++;
        }
    } else {
        d += size;
        s += size;
        for (; size != 0; --size) {
            *--d = *--s;
        }
    }
    return destination;
}

void* pcu_memset(void* destination, int value, std::size_t size) {
    auto* d = static_cast<unsigned char*>(destination);
    const auto byte = static_cast<unsigned char>(value);
    for (; size != 0 && !wordAligned(d, d); --size) {
        *d++ = byte;
    }
    const Word word = byte * static_cast<Word>(0x01010101U);
    for (; size >= sizeof(Word); size -= sizeof(Word)) {
        *reinterpret_cast<Word*>(d) = word;
        d += sizeof(Word);
    }
    for (; size != 0; --size) {
        *d++ = byte;
    }
    return destination;
}

std::size_t pcu_strlen(const char* text) {
    const char* end = text;
    while (*end != '\0') {
        ++end;
    }
    return static_cast<std::size_t>(end - text);
}
}
