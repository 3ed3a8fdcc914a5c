// fx_to_text and fx_text_digit: exact bytes and counts, the 8-character limit, and the
// digit step on every remaining fraction.
#include "fx_convert.h"
#include "fx_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

using fx_test::h;

namespace {

// Runs fx_to_text into a buffer pre-filled with '#' and returns the 10 first bytes.
std::string written(int16_t value, int32_t* count) {
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    *count = fx_to_text(value, buffer);
    return std::string(buffer, 10);
}

} // namespace

TEST(FxToText, WorkedValuesExactBytes) {
    const struct {
        int16_t value;
        const char* bytes; // the first 10 bytes of the buffer afterwards
        int32_t count;
    } cases[] = {
        {0x1800, "1.5000 ###", 6},    {0x1000, "1.0000 ###", 6},    {0x0400, "0.2496 ###", 6},
        {0x0333, "0.1996 ###", 6},    {0x0000, "0.0000 ###", 6},    {0x0001, "0.0002 ###", 6},
        {0x0005, "0.0010 ###", 6},    {0x7FFF, "7.9994 ###", 6},    {h(0xFFFF), "-0.0002 ##", 7},
        {h(0x9000), "-7.0000 ##", 7}, {h(0x8001), "-7.9994 ##", 7}, {h(0x8000), "-7.9998###", 7},
    };
    for (const auto& c : cases) {
        int32_t count = 0;
        EXPECT_EQ(written(c.value, &count), c.bytes) << c.value;
        EXPECT_EQ(count, c.count) << c.value;
    }
}

TEST(FxToText, NeverWritesMoreThanEightCharacters) {
    for (int32_t v = -32768; v <= 32767; ++v) {
        char buffer[12];
        std::memset(buffer, '#', sizeof buffer);
        const int32_t count = fx_to_text(static_cast<int16_t>(v), buffer);
        ASSERT_EQ(count, v < 0 ? 7 : 6);
        for (int i = 8; i < 12; ++i) {
            ASSERT_EQ(buffer[i], '#') << v;
        }
        // the form: optional '-', digit 0..7, '.', four digits, then a blank (except -32768)
        int at = 0;
        if (v < 0) {
            ASSERT_EQ(buffer[at++], '-');
        }
        ASSERT_TRUE(buffer[at] >= '0' && buffer[at] <= '7');
        ASSERT_EQ(buffer[at + 1], '.');
        for (int i = at + 2; i < at + 6; ++i) {
            ASSERT_TRUE(buffer[i] >= '0' && buffer[i] <= '9');
        }
        ASSERT_EQ(buffer[count], v == -32768 ? '#' : ' ') << v;
    }
}

TEST(FxToText, TextNeverExceedsTheValueAndLiesWithinAThousandth) {
    // Each digit table entry is a ceiling, so the digits never overstate the value.
    for (int32_t v = -32767; v <= 32767; ++v) {
        char buffer[9] = {};
        const int32_t count = fx_to_text(static_cast<int16_t>(v), buffer);
        buffer[count] = '\0';
        const double text_value = std::strtod(buffer, nullptr);
        const double shortfall = std::fabs(v / 4096.0) - std::fabs(text_value);
        ASSERT_GE(shortfall, -1e-12) << v << " " << buffer;
        ASSERT_LT(shortfall, 0.001) << v << " " << buffer;
        ASSERT_EQ(text_value < 0, v < 0) << v;
    }
}

TEST(FxTextDigit, TablesHoldTheCeilings) {
    const int16_t* tables[3] = {fx_step_tenths, fx_step_hundredths, fx_step_thousandths};
    int32_t power = 1;
    for (int place = 0; place < 3; ++place) {
        power *= 10;
        for (int k = 0; k < 10; ++k) {
            ASSERT_EQ(tables[place][k], (k * 4096 + power - 1) / power) << place << " " << k;
        }
    }
    EXPECT_EQ(std::string(fx_last_digit, 5), "02468");
}

TEST(FxTextDigit, LargestEntryNotAboveTheFraction) {
    const int16_t* tables[3] = {fx_step_tenths, fx_step_hundredths, fx_step_thousandths};
    for (const int16_t* table : tables) {
        for (int32_t f = -50; f < 4200; ++f) {
            int expected = 0;
            for (int k = 0; k < 10; ++k) {
                if (table[k] <= f) {
                    expected = k;
                }
            }
            int16_t fraction = static_cast<int16_t>(f);
            char out = '#';
            fx_text_digit(table, &fraction, &out);
            ASSERT_EQ(out, '0' + expected) << f;
            ASSERT_EQ(fraction, f - table[expected]) << f;
        }
    }
}

TEST(FxTextDigit, RemaindersStayWithinTheirBounds) {
    for (int32_t f = 0; f < 4096; ++f) {
        int16_t fraction = static_cast<int16_t>(f);
        char out;
        fx_text_digit(fx_step_tenths, &fraction, &out);
        ASSERT_LE(fraction, 409);
        fx_text_digit(fx_step_hundredths, &fraction, &out);
        ASSERT_LE(fraction, 40);
        fx_text_digit(fx_step_thousandths, &fraction, &out);
        ASSERT_LE(fraction, 4);
        ASSERT_GE(fraction, 0);
    }
}
