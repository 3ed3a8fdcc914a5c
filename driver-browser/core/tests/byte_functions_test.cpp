// The browser's own memory and string primitives against the C library's: every size up to
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

int sign(int v) {
    return (v > 0) - (v < 0);
}

TEST(ByteFunctions, MatchTheCLibraryAtEverySizeAlignmentOverlapAndValue) {
    const int values[] = {0, 1, 127, 128, 255, -1, -128, 256 + 'A', 0x7FFFFF80};
    const Bytes source = pattern(1), a = pattern(2);
    for (std::size_t size = 0; size <= 40; ++size) {
        for (std::size_t at = 0; at < 8; ++at) {
            for (std::size_t to = 0; to < 96; ++to) { // before, on and after the source
                Bytes ours = pattern(3), theirs = ours;
                ASSERT_EQ(tolvane_memmove(&ours[to], &ours[40 + at], size), &ours[to]);
                std::memmove(&theirs[to], &theirs[40 + at], size);
                ASSERT_EQ(ours, theirs) << "memmove " << size << " from " << at << " to " << to;
                ASSERT_EQ(tolvane_memcpy(&ours[to], &source[at], size), &ours[to]);
                std::memcpy(&theirs[to], &source[at], size);
                ASSERT_EQ(ours, theirs) << "memcpy " << size << " from " << at << " to " << to;
            }
            for (int value : values) {
                Bytes ours = pattern(3), theirs = ours;
                ASSERT_EQ(tolvane_memset(&ours[at], value, size), &ours[at]);
                std::memset(&theirs[at], value, size);
                ASSERT_EQ(ours, theirs) << "memset " << size << " at " << at << " of " << value;
            }
            Bytes b = a; // each byte raised by 1 and by 128, compared both ways
            const Bytes& cb = b;
            for (std::size_t i = at; i < at + size; ++i) {
                for (int raise : {0, 1, 128}) {
                    b[i] = static_cast<unsigned char>(a[i] + raise);
                    for (auto [x, y] : {std::pair(&a[at], &cb[at]), std::pair(&cb[at], &a[at])})
                        ASSERT_EQ(sign(tolvane_memcmp(x, y, size)), sign(std::memcmp(x, y, size)))
                            << "memcmp " << size << " at " << at << " byte " << i << " +" << raise;
                    b[i] = a[i];
                }
            }
        }
    }
    for (std::size_t size = 0; size <= 504; ++size)
        for (std::size_t at = 0; at < 8; ++at)
            for (int value : values)
                ASSERT_EQ(tolvane_memchr(&a[at], value, size), std::memchr(&a[at], value, size))
                    << "memchr of " << value << " in " << size << " at " << at;
    std::vector<char> text(64, '\x80');
    for (std::size_t length = 0; length < 48; ++length) {
        for (std::size_t at = 0; at < 8; ++at) {
            text[at + length] = '\0';
            ASSERT_EQ(tolvane_strlen(&text[at]), length);
            text[at + length] = '\x80';
        }
    }
}

} // namespace
