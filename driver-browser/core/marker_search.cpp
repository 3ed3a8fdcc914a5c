#include "marker_search.h"

#include <cstring>

namespace tolvane {

namespace {

constexpr std::size_t kSecondAt = 13; // the marker's 'o' behind its 'S'
constexpr std::size_t kBlock = 64;    // start positions looked at together

#if defined(__SSE2__)
// 16 bytes at once, in one SSE2 register: a byte compare gives all ones where the pair
// stands.
typedef uint8_t Bytes __attribute__((vector_size(16)));
typedef int8_t Equal __attribute__((vector_size(16)));

bool blockHasPair(const uint8_t* at) {
    const Bytes first = Bytes{} + 'S';
    const Bytes second = Bytes{} + 'o';
    Equal pairs = {};
    for (std::size_t n = 0; n < kBlock; n += sizeof(Bytes)) {
        Bytes here;
        Bytes behind;
        std::memcpy(&here, at + n, sizeof here);
        std::memcpy(&behind, at + n + kSecondAt, sizeof behind);
        pairs |= (here == first) & (behind == second);
    }
    uint64_t halves[2];
    std::memcpy(halves, &pairs, sizeof halves);
    return (halves[0] | halves[1]) != 0;
}
#else
// The 80386 has no vector registers, and a compiler works a byte vector out byte by byte;
// so 8 bytes at once as two four-byte words in general registers. A byte where the pair
// stands is a zero byte of (here ^ "SSSS") | (behind ^ "oooo"), and for a word w,
// (w - 0x01010101) & ~w & 0x80808080 is nonzero exactly when w has a zero byte.
typedef uint32_t Words __attribute__((vector_size(8)));
constexpr uint32_t kEachByte = 0x01010101u;

bool blockHasPair(const uint8_t* at) {
    const Words first = Words{} + 'S' * kEachByte;
    const Words second = Words{} + 'o' * kEachByte;
    const Words ones = Words{} + kEachByte;
    Words zeros = {};
    for (std::size_t n = 0; n < kBlock; n += sizeof(Words)) {
        Words here;
        Words behind;
        std::memcpy(&here, at + n, sizeof here);
        std::memcpy(&behind, at + n + kSecondAt, sizeof behind);
        const Words pair = (here ^ first) | (behind ^ second);
        zeros |= (pair - ones) & ~pair;
    }
    return ((zeros[0] | zeros[1]) & (0x80 * kEachByte)) != 0;
}
#endif

} // namespace

// Looks at blocks of 64 start positions for an 'S' with the marker's 'o' 13 bytes behind it,
// and compares the whole marker only in a block that has one; in a driver file that pair is
// rare.
const uint8_t* findMarker(const uint8_t* from, const uint8_t* end) {
    if (end - from < static_cast<std::ptrdiff_t>(kMarkerSize)) {
        return end;
    }
    const uint8_t* const last = end - kMarkerSize; // the last position a marker can start
    const uint8_t* at = from;
    // A block's bytes reach at most 13 + 63 bytes past `at`, which stays inside the data
    // while every position of the block can start a marker.
    for (; last - at >= static_cast<std::ptrdiff_t>(kBlock) - 1; at += kBlock) {
        if (!blockHasPair(at)) {
            continue;
        }
        for (std::size_t n = 0; n < kBlock; ++n) {
            if (at[n] == 'S' && std::memcmp(at + n, kMarker, kMarkerSize) == 0) {
                return at + n;
            }
        }
    }
    for (; at <= last; ++at) {
        if (*at == 'S' && std::memcmp(at, kMarker, kMarkerSize) == 0) {
            return at;
        }
    }
    return end;
}

} // namespace tolvane
