// Short decimal text -> Q4.12.
#include "fx_convert.h"

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

int16_t digit_value(char c) {
    return static_cast<int16_t>(c - '0');
}

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
