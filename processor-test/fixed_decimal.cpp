// Exact decimal expansion of a double, rounded half to even.
//
// A finite double is m * 2^e with a 53-bit integer m. For e >= 0 the value is the integer
// m * 2^e; for e < 0 it is m * 5^-e / 10^-e. Either way it is an integer D (held in
// decimal, base 10000 limbs) with a known number k of decimal places, so the digits to
// keep and the ones to round away can be read off D directly.
#include "fixed_decimal.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr uint32_t LIMB_BASE = 10000;
constexpr int LIMB_DIGITS = 4;
// m * 5^1074 has at most 767 digits; m * 2^971 at most 309.
constexpr int MAX_LIMBS = 200;

struct big_decimal {
    uint32_t limb[MAX_LIMBS]; // least significant first, each below LIMB_BASE
    int count;                // limbs in use; no leading zero limb
};

// d = d * factor + addend, with factor and addend at most 65536.
void mul_add(big_decimal* d, uint32_t factor, uint32_t addend) {
    uint32_t carry = addend;
    for (int i = 0; i < d->count; ++i) {
        uint32_t v = d->limb[i] * factor + carry; // below 9999 * 65536 + 2^17 < 2^32
        d->limb[i] = v % LIMB_BASE;
        carry = v / LIMB_BASE;
    }
    while (carry != 0 && d->count < MAX_LIMBS) {
        d->limb[d->count++] = carry % LIMB_BASE;
        carry /= LIMB_BASE;
    }
}

int digit_at(const big_decimal* d, int i) {
    static const uint32_t power[LIMB_DIGITS] = {1, 10, 100, 1000};
    if (i < 0 || i / LIMB_DIGITS >= d->count)
        return 0;
    return static_cast<int>(d->limb[i / LIMB_DIGITS] / power[i % LIMB_DIGITS] % 10);
}

int digit_count(const big_decimal* d) {
    if (d->count == 0)
        return 0;
    int n = (d->count - 1) * LIMB_DIGITS;
    for (uint32_t top = d->limb[d->count - 1]; top != 0; top /= 10)
        ++n;
    return n;
}

int copy_text(char* text, const char* word) {
    size_t length = std::strlen(word);
    std::memcpy(text, word, length + 1);
    return static_cast<int>(length);
}

} // namespace

int fixed_decimal(double value, int precision, char* text) {
    if (precision < 0 || precision > FIXED_DECIMAL_MAX_PRECISION)
        return -1;
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    bool negative = (bits >> 63) != 0;
    int biased = static_cast<int>((bits >> 52) & 0x7FF);
    uint64_t m = bits & ((uint64_t{1} << 52) - 1);
    if (biased == 0x7FF)
        return copy_text(text, m != 0 ? (negative ? "-nan" : "nan") : (negative ? "-inf" : "inf"));
    int e = -1074;
    if (biased != 0) {
        m |= uint64_t{1} << 52;
        e = biased - 1075;
    }

    // D from m, sixteen bits at a time, then scaled by 2^e or 5^-e.
    big_decimal d;
    d.count = 0;
    for (int shift = 48; shift >= 0; shift -= 16)
        mul_add(&d, 65536, static_cast<uint32_t>((m >> shift) & 0xFFFF));
    int places = 0; // k: D / 10^k is the value
    if (e >= 0) {
        for (int left = e; left > 0; left -= 16)
            mul_add(&d, uint32_t{1} << (left < 16 ? left : 16), 0);
    } else {
        places = -e;
        static const uint32_t five_power[7] = {1, 5, 25, 125, 625, 3125, 15625};
        for (int left = places; left > 0; left -= 6)
            mul_add(&d, five_power[left < 6 ? left : 6], 0);
    }

    // The digits kept are those of D from position cut = k - precision upward.
    char digits[FIXED_DECIMAL_SIZE];
    int length = 0;
    int cut = places - precision;
    int top = digit_count(&d) - 1;
    for (int i = top; i >= cut; --i)
        digits[length++] = static_cast<char>('0' + digit_at(&d, i));
    if (cut > 0) {
        int first_dropped = digit_at(&d, cut - 1);
        bool rest = false;
        for (int i = cut - 2; i >= 0 && !rest; --i)
            rest = digit_at(&d, i) != 0;
        bool odd = (digit_at(&d, cut) & 1) != 0;
        if (first_dropped > 5 || (first_dropped == 5 && (rest || odd))) {
            int i = length - 1;
            for (; i >= 0 && digits[i] == '9'; --i)
                digits[i] = '0';
            if (i >= 0) {
                ++digits[i];
            } else {
                std::memmove(digits + 1, digits, static_cast<size_t>(length));
                digits[0] = '1';
                ++length;
            }
        }
    }
    // At least one integer digit before the point.
    int missing = precision + 1 - length;
    if (missing > 0) {
        std::memmove(digits + missing, digits, static_cast<size_t>(length));
        std::memset(digits, '0', static_cast<size_t>(missing));
        length += missing;
    }

    int out = 0;
    if (negative)
        text[out++] = '-';
    int whole = length - precision;
    std::memcpy(text + out, digits, static_cast<size_t>(whole));
    out += whole;
    if (precision > 0) {
        text[out++] = '.';
        std::memcpy(text + out, digits + whole, static_cast<size_t>(precision));
        out += precision;
    }
    text[out] = '\0';
    return out;
}
