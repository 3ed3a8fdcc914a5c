#include "marker_search.h"

#include <cstring>

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

namespace {

// Horspool's skip table for the marker: how far the window may move on when the byte
// under its last position is b.
struct SkipTable {
    std::size_t skip[256];
    constexpr SkipTable() : skip() {
        for (std::size_t b = 0; b < 256; ++b) {
            skip[b] = kMarkerSize;
        }
        for (std::size_t n = 0; n + 1 < kMarkerSize; ++n) {
            skip[kMarker[n]] = kMarkerSize - 1 - n;
        }
    }
};
constexpr SkipTable kSkip;

} // namespace

const uint8_t* findMarker(const uint8_t* from, const uint8_t* end) {
    if (end - from < static_cast<std::ptrdiff_t>(kMarkerSize)) {
        return end;
    }
    const uint8_t* const last = end - kMarkerSize; // the last position a marker can start
    for (const uint8_t* at = from; at <= last;) {
        const uint8_t tail = at[kMarkerSize - 1];
        if (tail == 0 && std::memcmp(at, kMarker, kMarkerSize - 1) == 0) {
            return at;
        }
        const std::size_t step = kSkip.skip[tail];
        if (static_cast<std::size_t>(last - at) < step) {
            break;
        }
        at += step;
    }
    return end;
}

#endif

} // namespace tolvane
