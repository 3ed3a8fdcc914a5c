#include "marker_search.h"

#include <algorithm>
#include <cstring>
#include <functional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tolvane {

#if defined(__SSE2__) && (defined(__GNUC__) || defined(__clang__))

// Looks at 64 positions at a time for an 'S' with the marker's 'o' 13 bytes behind it,
// and compares the whole marker only there; in a driver file that pair is rare.
const uint8_t* findMarker(const uint8_t* from, const uint8_t* end) {
    if (end - from < static_cast<std::ptrdiff_t>(kMarkerSize)) {
        return end;
    }
    constexpr std::size_t kSecondAt = 13;
    const uint8_t* const last = end - kMarkerSize; // the last position a marker can start
    const __m128i first = _mm_set1_epi8('S');
    const __m128i second = _mm_set1_epi8('o');
    auto candidates = [&](const uint8_t* at) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + kSecondAt));
        return _mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, second));
    };
    auto verify = [](const uint8_t* at, unsigned mask) -> const uint8_t* {
        for (; mask != 0; mask &= mask - 1) {
            const uint8_t* candidate = at + __builtin_ctz(mask);
            if (std::memcmp(candidate, kMarker, kMarkerSize) == 0) {
                return candidate;
            }
        }
        return nullptr;
    };
    const uint8_t* at = from;
    // Blocks of 64 start positions; the loads reach at most 13 + 63 bytes past `at`, which
    // stays inside the data while every position of the block can start a marker.
    for (; last - at >= 63; at += 64) {
        const __m128i m0 = candidates(at);
        const __m128i m1 = candidates(at + 16);
        const __m128i m2 = candidates(at + 32);
        const __m128i m3 = candidates(at + 48);
        const __m128i any = _mm_or_si128(_mm_or_si128(m0, m1), _mm_or_si128(m2, m3));
        if (_mm_movemask_epi8(any) == 0) {
            continue;
        }
        const __m128i blocks[4] = {m0, m1, m2, m3};
        for (int block = 0; block < 4; ++block) {
            const auto mask = static_cast<unsigned>(_mm_movemask_epi8(blocks[block]));
            if (const uint8_t* hit = verify(at + 16 * block, mask)) {
                return hit;
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

#else

const uint8_t* findMarker(const uint8_t* from, const uint8_t* end) {
#if defined(__GLIBC__)
    const void* hit = memmem(from, static_cast<std::size_t>(end - from), kMarker, kMarkerSize);
    return hit ? static_cast<const uint8_t*>(hit) : end;
#else
    return std::search(from, end,
                       std::boyer_moore_horspool_searcher(kMarker, kMarker + kMarkerSize));
#endif
}

#endif

} // namespace tolvane
