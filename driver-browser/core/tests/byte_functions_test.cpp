// The browser's own memory and string primitives against the C library's, over every size up
// to a few words, every alignment of both blocks and every overlap memmove can meet.
#include "byte_functions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

constexpr std::size_t kMaxSize = 40;
constexpr std::size_t kArena = 3 * kMaxSize + 16;

// Bytes with every value and both signs, different in each arena.
std::vector<unsigned char> pattern(unsigned seed) {
    std::vector<unsigned char> bytes(kArena);
    for (std::size_t i = 0; i < kArena; ++i) {
        bytes[i] = static_cast<unsigned char>(i * 37 + seed * 101 + (i >> 3));
    }
    return bytes;
}

int sign(int v) {
    return (v > 0) - (v < 0);
}

TEST(ByteFunctions, CopyAndMoveMatchTheCLibraryAtEveryAlignmentAndOverlap) {
    for (std::size_t size = 0; size <= kMaxSize; ++size) {
        for (std::size_t from = 0; from < 8; ++from) {
            // memmove: the destination anywhere from well before to well after the source,
            // inside one arena.
            for (std::size_t to = 0; to + size <= kArena && to < from + kMaxSize + 8; ++to) {
                std::vector<unsigned char> ours = pattern(1), theirs = ours;
                unsigned char* got = ours.data() + kMaxSize + from;
                void* back = tolvane_memmove(ours.data() + to, got, size);
                std::memmove(theirs.data() + to, theirs.data() + kMaxSize + from, size);
                ASSERT_EQ(back, ours.data() + to);
                ASSERT_EQ(ours, theirs)
                    << "memmove size " << size << " from " << from << " to " << to;
            }
            // memcpy between two arenas, each alignment of the destination.
            for (std::size_t to = 0; to < 8; ++to) {
                std::vector<unsigned char> source = pattern(2), ours = pattern(3), theirs = ours;
                ASSERT_EQ(tolvane_memcpy(ours.data() + to, source.data() + from, size),
                          ours.data() + to);
                std::memcpy(theirs.data() + to, source.data() + from, size);
                ASSERT_EQ(ours, theirs)
                    << "memcpy size " << size << " from " << from << " to " << to;
            }
        }
    }
}

TEST(ByteFunctions, SetAndCompareMatchTheCLibraryForEveryByteValue) {
    // Values beyond a byte and negative ones are taken as unsigned char.
    std::vector<int> values;
    for (int v = 0; v < 256; ++v) {
        values.push_back(v);
    }
    values.insert(values.end(), {-1, -128, 256 + 'A', 0x7FFFFF80});
    const std::vector<unsigned char> bytes = pattern(4);
    for (std::size_t size = 0; size <= kMaxSize; ++size) {
        for (std::size_t at = 0; at < 8; ++at) {
            for (int value : values) {
                std::vector<unsigned char> ours = pattern(5), theirs = ours;
                ASSERT_EQ(tolvane_memset(ours.data() + at, value, size), ours.data() + at);
                std::memset(theirs.data() + at, value, size);
                ASSERT_EQ(ours, theirs) << "memset size " << size << " at " << at;
            }
            // memcmp: equal blocks, then each position differing by each amount both ways.
            std::vector<unsigned char> other(bytes);
            const unsigned char* a = bytes.data() + at;
            ASSERT_EQ(tolvane_memcmp(a, other.data() + at, size), 0);
            for (std::size_t i = 0; i < size; ++i) {
                for (int delta : {1, 127, 128, 255}) {
                    other[at + i] = static_cast<unsigned char>(bytes[at + i] + delta);
                    const unsigned char* b = other.data() + at;
                    ASSERT_EQ(sign(tolvane_memcmp(a, b, size)), sign(std::memcmp(a, b, size)))
                        << "memcmp size " << size << " at " << at << " byte " << i << " +" << delta;
                    ASSERT_EQ(sign(tolvane_memcmp(b, a, size)), sign(std::memcmp(b, a, size)));
                    other[at + i] = bytes[at + i];
                }
            }
        }
    }
}

TEST(ByteFunctions, MemchrFindsTheFirstOfEveryValueAsTheCLibraryDoes) {
    // Every byte value once in the first 256 bytes, then again.
    std::vector<unsigned char> bytes(512 + 8);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<unsigned char>(i * 167 + 13);
    }
    for (int value : {0, 1, 13, 127, 128, 255, -1, -128, 256 + 'A', 0x7FFFFF80}) {
        for (std::size_t at = 0; at < 8; ++at) {
            for (std::size_t size = 0; size <= 512; ++size) {
                const void* block = bytes.data() + at;
                ASSERT_EQ(tolvane_memchr(block, value, size), std::memchr(block, value, size))
                    << "memchr of " << value << " in size " << size << " at " << at;
            }
        }
    }
}

TEST(ByteFunctions, StrlenCountsUpToTheFirstZeroByte) {
    std::vector<char> text(kArena, '\x80');
    for (std::size_t length = 0; length <= kMaxSize; ++length) {
        for (std::size_t at = 0; at < 8; ++at) {
            text[at + length] = '\0';
            ASSERT_EQ(tolvane_strlen(text.data() + at), length);
            text[at + length] = static_cast<char>(0xFF - length);
        }
    }
}

} // namespace
