// Our own memory and string primitives against the C library's: every size up to
// ten words at every alignment, memmove at every overlap, every kind of byte value.
#include "byte_functions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// Every byte value twice, in an order that differs with the seed.
Bytes pattern(unsigned seed) {
    Bytes bytes(512);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<unsigned char>(i * 167 + seed * 101);
    return bytes;
}

TEST(ByteFunctions, MatchTheCLibraryAtEverySizeAlignmentOverlapAndValue) {
    const int values[] = {0, 1, 127, 128, 255, -1, -128, 256 + 'A', 0x7FFFFF80};
    const Bytes source = pattern(1), a = pattern(2);
    for (std::size_t size = 0; size <= 40; ++size) {
        for (std::size_t at = 0; at < 8; ++at) {
            for (std::size_t to = 0; to < 96; ++to) { // before, on and after the source
                Bytes ours = pattern(3), theirs = ours;
                ASSERT_EQ(pcu_memmove(&ours[to], &ours[40 + at], size), &ours[to]);
                std::memmove(&theirs[to], &theirs[40 + at], size);
                ASSERT_EQ(pcu_memcpy(&ours[to + 150], &source[at], size), &ours[to + 150]);
                std::memcpy(&theirs[to + 150], &source[at], size);
                // Every value at every alignment (to % 9 and to % 4 meet in all pairs).
                ASSERT_EQ(pcu_memset(&ours[to + 300], values[to % 9], size), &ours[to + 300]);
                std::memset(&theirs[to + 300], values[to % 9], size);
                ASSERT_EQ(ours, theirs) << size << " bytes from " << at << " to " << to;
            }
        }
    }
    // Every pair of bytes after an equal one: unsigned, and the first difference decides.
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (int x = 0; x < 256; ++x) {
        for (int y = 0; y < 256; ++y) {
            const unsigned char p[] = {'a', uint8_t(x), uint8_t(y)},
                                q[] = {'a', uint8_t(y), uint8_t(x)};
            ASSERT_EQ(sign(pcu_memcmp(p, q, 3)), sign(std::memcmp(p, q, 3))) << x << ", " << y;
            ASSERT_EQ(pcu_memcmp(p, q, 1), 0);
        }
    }
    for (std::size_t size = 0; size <= 504; ++size)
        for (std::size_t at = 0; at < 8; ++at)
            for (int value : values)
                ASSERT_EQ(pcu_memchr(&a[at], value, size), std::memchr(&a[at], value, size))
                    << "memchr of " << value << " in " << size << " at " << at;
    std::vector<char> text(64, '\x80');
    for (std::size_t length = 0; length < 48; ++length) {
        for (std::size_t at = 0; at < 8; ++at) {
            text[at + length] = '\0';
            ASSERT_EQ(pcu_strlen(&text[at]), length);
            text[at + length] = '\x80';
        }
    }
}

} // namespace
