// Q4.12 -> short decimal text, and its digit step.
#include "fx_convert.h"

namespace {

const char minimum_text[7] = {'-', '7', '.', '9', '9', '9', '8'};

} // namespace

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
