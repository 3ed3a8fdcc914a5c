// The format walker and its two conversions: whole numbers, and doubles with one decimal.
//
// A finite double is m * 2^e with a whole m below 2^53. Ten times it, the number of tenths,
// is a whole number or a quotient by a power of two, whose decimal digits are worked out
// exactly in a small array with 32-bit arithmetic only (no 64-bit division, which the
// programs without a run-time library do not have).
#include "text_format.h"

#include <cstdarg>
#include <cstdint>
#include <cstring>

namespace {

// A whole number's decimal digits, least significant first. The largest double has 309.
struct decimal {
    uint8_t digit[320];
    int count;
};

// d = d * factor + addend, with factor and addend at most 65536.
void times_add(decimal* d, uint32_t factor, uint32_t addend) {
    uint32_t carry = addend;
    for (int i = 0; i < d->count; ++i) {
        uint32_t v = d->digit[i] * factor + carry;
        d->digit[i] = static_cast<uint8_t>(v % 10);
        carry = v / 10;
    }
    for (; carry != 0 && d->count < static_cast<int>(sizeof d->digit); carry /= 10)
        d->digit[d->count++] = static_cast<uint8_t>(carry % 10);
}

// d = d / 2; returns the remainder.
int halve(decimal* d) {
    uint32_t remainder = 0;
    for (int i = d->count - 1; i >= 0; --i) {
        uint32_t v = remainder * 10 + d->digit[i];
        d->digit[i] = static_cast<uint8_t>(v / 2);
        remainder = v % 2;
    }
    while (d->count > 0 && d->digit[d->count - 1] == 0)
        --d->count;
    return static_cast<int>(remainder);
}

// `value` with one decimal into `text` (room for 330 characters); returns the length.
int tenths_text(double value, char* text) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const bool negative = (bits >> 63) != 0;
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    uint64_t m = bits & ((uint64_t{1} << 52) - 1);
    int length = 0;
    if (negative)
        text[length++] = '-';
    if (biased == 0x7FF) {
        std::memcpy(text + length, m != 0 ? "nan" : "inf", 3);
        return length + 3;
    }
    int e = -1074;
    if (biased != 0) {
        m |= uint64_t{1} << 52;
        e = biased - 1075;
    }

    decimal tenths{{}, 0};
    for (int shift = 48; shift >= 0; shift -= 16)
        times_add(&tenths, 65536, static_cast<uint32_t>((m >> shift) & 0xFFFF));
    if (e >= 0) {
        for (int i = 0; i < e; ++i)
            times_add(&tenths, 2, 0);
        times_add(&tenths, 10, 0);
    } else {
        // m * 10 / 2^-e = m * 5 / 2^(-e - 1), rounded to the nearest, halves to even: the
        // last bit shifted out is the half, the ones before it say whether there is more.
        times_add(&tenths, 5, 0);
        int half = 0;
        bool more = false;
        for (int i = 0; i < -e - 1; ++i) {
            more = more || half != 0;
            half = halve(&tenths);
        }
        const bool odd = tenths.count > 0 && (tenths.digit[0] & 1) != 0;
        if (half != 0 && (more || odd))
            times_add(&tenths, 1, 1);
    }
    while (tenths.count < 2)
        tenths.digit[tenths.count++] = 0; // at least "0.0"
    for (int i = tenths.count - 1; i >= 1; --i)
        text[length++] = static_cast<char>('0' + tenths.digit[i]);
    text[length++] = '.';
    text[length++] = static_cast<char>('0' + tenths.digit[0]);
    return length;
}

// Decimal digits of `magnitude` at the end of `end`; returns the first one.
char* decimal_digits(unsigned long magnitude, char* end) {
    do {
        *--end = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    return end;
}

struct bounded_text {
    char* buffer;
    size_t capacity; // characters that fit before the terminator
    size_t stored;
};

void put(bounded_text* out, char c) {
    if (out->stored < out->capacity)
        out->buffer[out->stored++] = c;
}

// The text right-aligned in a field of `width` characters.
void put_field(bounded_text* out, const char* text, size_t length, size_t width) {
    for (size_t pad = length; pad < width; ++pad)
        put(out, ' ');
    for (size_t i = 0; i < length; ++i)
        put(out, text[i]);
}

int format_into(char* buffer, size_t size, const char* format, va_list args) {
    bounded_text out{buffer, size - 1, 0};
    bool failed = false;
    while (*format != '\0' && !failed) {
        if (*format != '%') {
            put(&out, *format++);
            continue;
        }
        ++format;
        size_t width = 0;
        for (; *format >= '0' && *format <= '9'; ++format)
            width = width < 1000 ? width * 10 + static_cast<size_t>(*format - '0') : width;
        char number[330];
        char* const number_end = number + sizeof number;
        if (std::strncmp(format, ".1f", 3) == 0) {
            format += 3;
            put_field(&out, number, static_cast<size_t>(tenths_text(va_arg(args, double), number)),
                      width);
        } else if (width != 0) {
            failed = true; // a width means something only for %.1f here
        } else if (*format == 's') {
            ++format;
            const char* text = va_arg(args, const char*);
            put_field(&out, text, std::strlen(text), 0);
        } else if (*format == 'd') {
            ++format;
            const int v = va_arg(args, int);
            // The magnitude in unsigned arithmetic, which also holds the most negative value.
            char* first = decimal_digits(v < 0 ? 0UL - static_cast<unsigned long>(v)
                                               : static_cast<unsigned long>(v),
                                         number_end);
            if (v < 0)
                *--first = '-';
            put_field(&out, first, static_cast<size_t>(number_end - first), 0);
        } else if (std::strncmp(format, "lu", 2) == 0) {
            format += 2;
            char* first = decimal_digits(va_arg(args, unsigned long), number_end);
            put_field(&out, first, static_cast<size_t>(number_end - first), 0);
        } else {
            failed = true;
        }
    }
    buffer[out.stored] = '\0';
    return failed ? -1 : static_cast<int>(out.stored);
}

} // namespace

int text_format(char* buffer, size_t size, const char* format, ...) {
    va_list args;
    va_start(args, format);
    int length = format_into(buffer, size, format, args);
    va_end(args);
    return length;
}

void console_text(const pex_console* console, const char* text) {
    console->write(text, std::strlen(text));
    console->flush();
}

void console_print(const pex_console* console, const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    int length = format_into(text, sizeof text, format, args);
    va_end(args);
    if (length >= 0) {
        console->write(text, static_cast<size_t>(length));
        console->flush();
    }
}
