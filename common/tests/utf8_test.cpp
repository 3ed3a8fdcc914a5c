// The UTF-8 rule against the textbook encoding: every code point, every sequence of up to
// three bytes, and sequences cut short.
#include "utf8.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// The UTF-8 of a code point, written out by the textbook rule.
std::string textbook(uint32_t c) {
    const int length = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    const uint32_t lead[] = {0, 0, 0xC0, 0xE0, 0xF0};
    std::string out(static_cast<size_t>(length), '\0');
    for (int n = length - 1; n > 0; --n, c >>= 6)
        out[static_cast<size_t>(n)] = static_cast<char>(0x80 | (c & 0x3F));
    out[0] = static_cast<char>(lead[length] | c);
    return out;
}

bool surrogate(uint32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

size_t decode(const std::string& bytes, uint32_t* c) {
    return utf8_decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), c);
}

TEST(Utf8, EveryCodePointDecodesFromItsTextbookFormAndEncodesToIt) {
    for (uint32_t c = 0; c <= 0x10FFFF; ++c) {
        if (surrogate(c))
            continue;
        const std::string bytes = textbook(c);
        uint32_t decoded = 0xFFFFFFFF;
        ASSERT_EQ(decode(bytes + "x", &decoded), bytes.size()) << std::hex << c;
        ASSERT_EQ(decoded, c);
        uint8_t encoded[4];
        ASSERT_EQ(std::string(reinterpret_cast<char*>(encoded), utf8_encode(c, encoded)), bytes);
        // Cut short, it is no character.
        for (size_t cut = 1; cut < bytes.size(); ++cut)
            ASSERT_EQ(decode(bytes.substr(0, cut), &decoded), 0u) << std::hex << c << " " << cut;
    }
    uint32_t untouched = 7;
    EXPECT_EQ(utf8_decode(nullptr, 0, &untouched), 0u);
    EXPECT_EQ(untouched, 7u);
}

// Every sequence of three bytes starts with a character exactly when its first one, two or
// three bytes are the textbook form of a code point that is no surrogate.
TEST(Utf8, EverySequenceOfThreeBytesIsJudgedByTheRule) {
    std::vector<bool> two(1 << 16), three(1 << 24);
    for (uint32_t c = 0x80; c < 0x10000; ++c) {
        if (surrogate(c))
            continue;
        const std::string b = textbook(c);
        const auto byte = [&](size_t n) { return static_cast<uint32_t>(uint8_t(b[n])); };
        if (b.size() == 2)
            two[byte(0) << 8 | byte(1)] = true;
        else
            three[byte(0) << 16 | byte(1) << 8 | byte(2)] = true;
    }
    for (uint32_t v = 0; v < (1u << 24); ++v) {
        const uint8_t bytes[3] = {uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
        const size_t expected = bytes[0] < 0x80 ? 1 : two[v >> 8] ? 2 : three[v] ? 3 : 0;
        uint32_t c = 0;
        ASSERT_EQ(utf8_decode(bytes, 3, &c), expected) << std::hex << v;
    }
}

// Four-byte sequences at random, mostly made of lead and continuation bytes.
TEST(Utf8, FourByteSequencesAtRandom) {
    std::mt19937 random(4);
    for (int round = 0; round < 2000000; ++round) {
        const auto v = static_cast<uint32_t>(random());
        const uint8_t bytes[4] = {uint8_t(0xF0 | (v >> 28)), uint8_t(0x80 | ((v >> 16) & 0x7F)),
                                  uint8_t(0x80 | ((v >> 8) & 0x7F)), uint8_t(0x80 | (v & 0x7F))};
        const uint32_t candidate = (bytes[0] & 0x07u) << 18 | (bytes[1] & 0x3Fu) << 12 |
                                   (bytes[2] & 0x3Fu) << 6 | (bytes[3] & 0x3Fu);
        const bool valid = candidate >= 0x10000 && candidate <= 0x10FFFF &&
                           textbook(candidate) == std::string(bytes, bytes + 4);
        uint32_t c = 0;
        ASSERT_EQ(utf8_decode(bytes, 4, &c), valid ? 4u : 0u) << std::hex << v;
    }
}

} // namespace
