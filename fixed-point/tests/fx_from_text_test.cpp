// fx_from_text: worked values, the round trip through fx_to_text for every value, and the
// handling of texts outside the written form.
#include "fx_convert.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

TEST(FxFromText, WorkedValues) {
    const struct {
        const char* text;
        int16_t expected;
    } cases[] = {
        {"1.5", 6144},      {"0.25", 1025}, {"  3.12", 12780}, {"-.5", -2048}, {"1", 4096},
        {"1x", 4096},       {"8", 32767},   {"9.0", 32767},    {"-8", -32767}, {"7.9999", 32767},
        {"2.71828", 11135}, {"0.0001", 0},  {"0.0009", 4},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fx_from_text(c.text), c.expected) << '"' << c.text << '"';
    }
    char text[8];
    fx_to_text(1025, text);
    EXPECT_EQ(std::string(text, 6), "0.2500");
}

TEST(FxFromText, RoundTripOfEveryValue) {
    for (int32_t v = -32767; v <= 32767; ++v) {
        char buffer[9];
        fx_to_text(static_cast<int16_t>(v), buffer);
        buffer[8] = '\0';
        ASSERT_EQ(fx_from_text(buffer), v) << buffer;
        const int32_t count = fx_to_text(static_cast<int16_t>(v), buffer);
        buffer[count] = '\0'; // also without the trailing blank
        ASSERT_EQ(fx_from_text(buffer), v) << buffer;
    }
    // -32768 is written as "-7.9998", which reads back as the nearest value it can give
    char minimum[9] = {};
    fx_to_text(INT16_MIN, minimum);
    EXPECT_EQ(fx_from_text(minimum), -32767);
}

TEST(FxFromText, FractionEndsAtFirstBlankOrControlCharacter) {
    EXPECT_EQ(fx_from_text("1.5 9"), 6144);
    EXPECT_EQ(fx_from_text("1.5\t9"), 6144);
    EXPECT_EQ(fx_from_text("1.55"), 4096 + 2048 + 205);
    EXPECT_EQ(fx_from_text("1.\x80"
                           "5"),
              4096);
    EXPECT_EQ(fx_from_text("0.0008"), 4);
    EXPECT_EQ(fx_from_text("0.0002"), 1);
    EXPECT_EQ(fx_from_text("0.99999999"), 3687 + 369 + 37 + 4);
}

// Choices for texts outside the written form: a '+' sign is accepted; anything that is not a
// digit where the integer digit is due gives 0; a non-digit in a fraction place ends the
// fraction like the terminator does.
TEST(FxFromText, TextsOutsideTheForm) {
    EXPECT_EQ(fx_from_text(""), 0);
    EXPECT_EQ(fx_from_text("   "), 0);
    EXPECT_EQ(fx_from_text("-"), 0);
    EXPECT_EQ(fx_from_text("  -"), 0);
    EXPECT_EQ(fx_from_text("+"), 0);
    EXPECT_EQ(fx_from_text("+1.5"), 6144);
    EXPECT_EQ(fx_from_text("+-1"), 0);
    EXPECT_EQ(fx_from_text("--1"), 0);
    EXPECT_EQ(fx_from_text("x1"), 0);
    EXPECT_EQ(fx_from_text("."), 0);
    EXPECT_EQ(fx_from_text("-."), 0);
    EXPECT_EQ(fx_from_text("1."), 4096);
    EXPECT_EQ(fx_from_text("1.5x7"), 6144);
    EXPECT_EQ(fx_from_text("1.x"), 4096);
    EXPECT_EQ(fx_from_text("1.25:"), 4096 + 820 + 205);
    EXPECT_EQ(fx_from_text("1.2/"), 4096 + 820);
    EXPECT_EQ(fx_from_text("1.234A"), 4096 + 820 + 123 + 17);
    EXPECT_EQ(fx_from_text("2.5.5"), 8192 + 2048);
    EXPECT_EQ(fx_from_text("-9.9999"), -32767);
}

// Texts cut short at every position are read only up to their terminator: each prefix is
// copied into a buffer of exactly its size, so the address sanitizer build reports any read
// past it.
TEST(FxFromText, NeverReadsPastTheTerminator) {
    const char* texts[] = {"-7.9999", "  3.12", "1.5000 ", "+0.0009", "9.9999", "-.5", "1.a"};
    for (const char* full : texts) {
        const size_t length = std::strlen(full);
        for (size_t cut = 0; cut <= length; ++cut) {
            std::vector<char> prefix(full, full + cut);
            prefix.push_back('\0');
            const int16_t value = fx_from_text(prefix.data());
            ASSERT_GE(value, -32767) << prefix.data();
        }
    }
}

TEST(FxFromText, ResultRangeOverAllShortTexts) {
    const char alphabet[] = {'0', '5', '7', '8', '9', '.', '-', '+', ' ', 'x', '\x7f', '\xff'};
    char text[5] = {};
    for (char a : alphabet) {
        for (char b : alphabet) {
            for (char c : alphabet) {
                for (char d : alphabet) {
                    text[0] = a;
                    text[1] = b;
                    text[2] = c;
                    text[3] = d;
                    const int16_t value = fx_from_text(text);
                    ASSERT_GE(value, -32767) << text;
                    ASSERT_LE(value, 32767) << text;
                }
            }
        }
    }
}
