// The browser's strings from the code page's bytes, and their UTF-8 (the code page itself is
// common/tests/code_page_test.cpp's).
#include "ansi_codepage.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

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

TEST(AnsiCodePage, Utf8OfOneTwoThreeAndFourByteCharacters) {
    EXPECT_EQ(toUtf8(u""), "");
    EXPECT_EQ(toUtf8(std::u16string(u"A\0z", 3)), std::string("A\0z", 3));
    EXPECT_EQ(toUtf8(u"\u007F\u0080\u00A9\u07FF"), "\x7F\xC2\x80\xC2\xA9\xDF\xBF");
    EXPECT_EQ(toUtf8(u"\u0800\u20AC\uFFFF"), "\xE0\xA0\x80\xE2\x82\xAC\xEF\xBF\xBF");
    EXPECT_EQ(toUtf8(u"\U0001F600\U0010FFFF"), "\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF");
    const uint8_t trademark = 0x99;
    EXPECT_EQ(toUtf8(ansiToString(&trademark, 1)), "\xE2\x84\xA2");
}

} // namespace
} // namespace tolvane
