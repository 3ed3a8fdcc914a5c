// The ANSI code page (Windows-1252) against the C library's own converter.
#include "ansi_codepage.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <memory>

namespace tolvane {
namespace {

// The character iconv gives for one CP1252 byte, or -1 when it refuses the byte.
long iconvCharFor(iconv_t converter, uint8_t byte) {
    char in[1] = {static_cast<char>(byte)};
    char out[8] = {};
    char* inPointer = in;
    char* outPointer = out;
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof out;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) ==
        static_cast<std::size_t>(-1)) {
        return -1;
    }
    if (sizeof out - outLeft != 4) {
        return -1;
    }
    uint32_t code = 0;
    for (int n = 0; n < 4; ++n) {
        code |= static_cast<uint32_t>(static_cast<unsigned char>(out[n])) << (8 * n);
    }
    return static_cast<long>(code);
}

TEST(AnsiCodePage, EveryByteAgreesWithTheSystemConverter) {
    const iconv_t raw = iconv_open("UTF-32LE", "CP1252");
    ASSERT_NE(raw, reinterpret_cast<iconv_t>(-1)) << "the C library has no CP1252 converter";
    const std::unique_ptr<void, int (*)(iconv_t)> converter(raw, &iconv_close);
    int undefined = 0;
    for (int byte = 0; byte < 256; ++byte) {
        const auto value = static_cast<uint8_t>(byte);
        const long expected = iconvCharFor(raw, value);
        if (expected < 0) {
            // Bytes the code page leaves undefined become the control character of the
            // same value, as on Windows.
            ++undefined;
            EXPECT_TRUE(byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 ||
                        byte == 0x9D)
                << "byte " << byte;
            EXPECT_EQ(ansiToChar(value), static_cast<char16_t>(byte)) << "byte " << byte;
        } else {
            EXPECT_EQ(static_cast<long>(ansiToChar(value)), expected) << "byte " << byte;
        }
    }
    EXPECT_LE(undefined, 5);
}

TEST(AnsiCodePage, EveryCodeUnitGoesBackToTheByteThatGivesItElseToAQuestionMark) {
    for (long unit = 0; unit < 0x10000; ++unit) {
        int expected = '?';
        for (int byte = 0; byte < 256; ++byte) {
            expected = ansiToChar(static_cast<uint8_t>(byte)) == unit ? byte : expected;
        }
        ASSERT_EQ(charToAnsi(static_cast<char16_t>(unit)), expected) << "unit " << unit;
    }
}

TEST(AnsiCodePage, UndefinedBytesBecomeControlCharacters) {
    for (const int byte : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(ansiToChar(static_cast<uint8_t>(byte)), static_cast<char16_t>(byte)) << byte;
    }
}

TEST(AnsiCodePage, KnownCharacters) {
    EXPECT_EQ(ansiToChar(0x00), u'\0');
    EXPECT_EQ(ansiToChar('A'), u'A');
    EXPECT_EQ(ansiToChar(0x80), u'\u20AC');
    EXPECT_EQ(ansiToChar(0x85), u'\u2026');
    EXPECT_EQ(ansiToChar(0x92), u'\u2019');
    EXPECT_EQ(ansiToChar(0x99), u'\u2122');
    EXPECT_EQ(ansiToChar(0x9F), u'\u0178');
    EXPECT_EQ(ansiToChar(0xA9), u'\u00A9');
    EXPECT_EQ(ansiToChar(0xAE), u'\u00AE');
    EXPECT_EQ(ansiToChar(0xE9), u'\u00E9');
}

TEST(AnsiCodePage, StringConvertsEveryByteInOrder) {
    uint8_t all[256];
    for (int n = 0; n < 256; ++n) {
        all[n] = static_cast<uint8_t>(255 - n);
    }
    const std::u16string text = ansiToString(all, sizeof all);
    ASSERT_EQ(text.size(), 256u);
    for (int n = 0; n < 256; ++n) {
        EXPECT_EQ(text[static_cast<std::size_t>(n)], ansiToChar(all[n])) << n;
    }
    EXPECT_TRUE(ansiToString(all, 0).empty());
}

TEST(AnsiCodePage, Utf8OfOneTwoAndThreeByteCharacters) {
    EXPECT_EQ(toUtf8(u""), "");
    EXPECT_EQ(toUtf8(std::u16string(u"A\0z", 3)), std::string("A\0z", 3));
    EXPECT_EQ(toUtf8(u"\u007F\u0080\u00A9\u07FF"), "\x7F\xC2\x80\xC2\xA9\xDF\xBF");
    EXPECT_EQ(toUtf8(u"\u0800\u20AC\uFFFF"), "\xE0\xA0\x80\xE2\x82\xAC\xEF\xBF\xBF");
    const uint8_t trademark = 0x99;
    EXPECT_EQ(toUtf8(ansiToString(&trademark, 1)), "\xE2\x84\xA2");
}

} // namespace
} // namespace tolvane
