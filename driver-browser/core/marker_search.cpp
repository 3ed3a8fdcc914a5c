#include "marker_search.h"

#include <cstring>

namespace tolvane {

namespace {

// 16 bytes, and the result of comparing two such (all bits set where equal). GCC's and
// Clang's vector types: SSE2 registers on x86-64, and on the 80386, which has none, the
// compiler works them out byte by byte.
typedef uint8_t Bytes __attribute__((vector_size(16)));
typedef int8_t Equal __attribute__((vector_size(16)));

constexpr std::size_t kSecondAt = 13; // the marker's 'o' behind its 'S'
constexpr std::size_t kBlock = 64;    // start positions looked at together

} // namespace

// Looks at blocks of 64 start positions for an 'S' with the marker's 'o' 13 bytes behind
// it, and compares the whole marker only in a block that has one; in a driver file that
// pair is rare.
const uint8_t* findMarker(const uint8_t* from, const uint8_t* end) {
    if (end - from < static_cast<std::ptrdiff_t>(kMarkerSize)) {
        return end;
    }
    const uint8_t* const last = end - kMarkerSize; // the last position a marker can start
    const Bytes first = Bytes{} + 'S';
    const Bytes second = Bytes{} + 'o';
    const uint8_t* at = from;
    // A block's bytes reach at most 13 + 63 bytes past `at`, which stays inside the data
    // while every position of the block can start a marker.
    for (; last - at >= static_cast<std::ptrdiff_t>(kBlock) - 1; at += kBlock) {
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
        if ((halves[0] | halves[1]) == 0) {
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
