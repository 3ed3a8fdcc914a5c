// Q4.12 to short decimal text and back, with their digit tables.
#include "fx_convert.h"

const int16_t fx_step_tenths[10] = {0, 410, 820, 1229, 1639, 2048, 2458, 2868, 3277, 3687};
const int16_t fx_step_hundredths[10] = {0, 41, 82, 123, 164, 205, 246, 287, 328, 369};
const int16_t fx_step_thousandths[10] = {0, 5, 9, 13, 17, 21, 25, 29, 33, 37};
const char fx_last_digit[5] = {'0', '2', '4', '6', '8'};

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

int16_t digit_value(char c) {
    return static_cast<int16_t>(c - '0');
}

const char minimum_text[7] = {'-', '7', '.', '9', '9', '9', '8'};

} // namespace

// The value is accumulated as a 16-bit pattern in 0..65535: integer digit << 12 plus the
// table entries; a pattern of 0x8000 or more (negative as 16 bits) saturates to 32767.
int16_t fx_from_text(const char* text) {
    const char* at = text;
    while (*at == ' ') {
        ++at;
    }
    bool negative = false;
    if (*at == '-' || *at == '+') {
        negative = *at == '-';
        ++at;
    }
    int32_t v = 0;
    if (*at != '.') {
        if (!is_digit(*at)) {
            return 0; // no number here: empty text, a lone sign, a letter, a second sign
        }
        v = digit_value(*at) << 12;
        ++at;
    }
    if (*at == '.') {
        ++at;
        const int16_t* const tables[3] = {fx_step_tenths, fx_step_hundredths, fx_step_thousandths};
        // The first character that is not a digit (blank, control, terminator or anything
        // else) ends the fraction for all remaining places.
        bool more = true;
        for (const int16_t* table : tables) {
            more = more && is_digit(*at);
            if (more) {
                v += table[digit_value(*at)];
                ++at;
            }
        }
        if (more && is_digit(*at)) {
            v += digit_value(*at) >> 1;
        }
    }
    if (v > 32767) {
        v = 32767;
    }
    return static_cast<int16_t>(negative ? -v : v);
}

// Comparison tree over entries 4, 2/1/3, 6/5, 8/7/9: the largest k with table[k] <= f.
void fx_text_digit(const int16_t* table, int16_t* fraction, char* out) {
    const int16_t f = *fraction;
    int k;
    if (f < table[4]) {
        if (f < table[2]) {
            k = f < table[1] ? 0 : 1;
        } else {
            k = f < table[3] ? 2 : 3;
        }
    } else if (f < table[6]) {
        k = f < table[5] ? 4 : 5;
    } else if (f < table[8]) {
        k = f < table[7] ? 6 : 7;
    } else {
        k = f < table[9] ? 8 : 9;
    }
    *out = static_cast<char>('0' + k);
    *fraction = static_cast<int16_t>(f - table[k]);
}

int32_t fx_to_text(int16_t value, char* buffer) {
    if (value == INT16_MIN) {
        for (int i = 0; i < 7; ++i) {
            buffer[i] = minimum_text[i];
        }
        return 7;
    }
    int32_t length = 6;
    char* out = buffer;
    if (value < 0) {
        *out++ = '-';
        value = static_cast<int16_t>(-value); // 1..32767
        length = 7;
    }
    *out++ = static_cast<char>('0' + (value >> 12));
    int16_t fraction = static_cast<int16_t>(value & 0xFFF);
    *out++ = '.';
    fx_text_digit(fx_step_tenths, &fraction, out++);
    fx_text_digit(fx_step_hundredths, &fraction, out++);
    fx_text_digit(fx_step_thousandths, &fraction, out++);
    *out++ = fx_last_digit[fraction]; // the remainder is now 0..4
    *out = ' ';
    return length;
}
