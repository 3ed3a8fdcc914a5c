// The format walker: fields are parsed, converted into a small local text and copied
// into the caller's buffer, padded to their width, cut where the buffer ends.
#include "text_format.h"

#include "fixed_decimal.h"

namespace {

struct bounded_text {
    char* buffer;
    size_t capacity; // characters that fit before the terminator
    size_t stored;
};

void put(bounded_text* out, char c) {
    if (out->stored < out->capacity)
        out->buffer[out->stored++] = c;
}

void put_field(bounded_text* out, const char* text, size_t length, size_t width) {
    for (size_t pad = length; pad < width; ++pad)
        put(out, ' ');
    for (size_t i = 0; i < length; ++i)
        put(out, text[i]);
}

// Decimal digits of `magnitude` at the end of `end`; returns the first one.
char* decimal_digits(unsigned long magnitude, char* end) {
    do {
        *--end = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    return end;
}

size_t text_length(const char* text) {
    size_t length = 0;
    while (text[length] != '\0')
        ++length;
    return length;
}

// A whole number in the format; stops at the first non-digit. Bounded, so that an
// absurd width cannot overflow.
size_t read_number(const char** format) {
    size_t value = 0;
    while (**format >= '0' && **format <= '9') {
        if (value < 100000)
            value = value * 10 + static_cast<size_t>(**format - '0');
        ++*format;
    }
    return value;
}

} // namespace

int text_vformat(char* buffer, size_t size, const char* format, va_list args) {
    bounded_text out{buffer, size - 1, 0};
    bool failed = false;
    while (*format != '\0' && !failed) {
        if (*format != '%') {
            put(&out, *format++);
            continue;
        }
        ++format;
        if (*format == '-' || *format == '+' || *format == ' ' || *format == '#' ||
            *format == '0') {
            failed = true; // flags are not carried out
            break;
        }
        size_t width = read_number(&format);
        int precision = -1;
        if (*format == '.') {
            ++format;
            size_t p = read_number(&format);
            precision =
                p > static_cast<size_t>(FIXED_DECIMAL_MAX_PRECISION) ? -2 : static_cast<int>(p);
        }
        bool is_long = false;
        if (*format == 'l') {
            is_long = true;
            ++format;
        }
        char conversion = *format;
        if (conversion != '\0')
            ++format;
        if (precision != -1 && conversion != 'f')
            conversion = '\0'; // a precision means something only for %f here
        if (is_long && conversion != 'd' && conversion != 'u')
            conversion = '\0';

        char number[FIXED_DECIMAL_SIZE];
        char* const number_end = number + sizeof number;
        switch (conversion) {
        case '%':
            put_field(&out, "%", 1, width);
            break;
        case 's': {
            const char* text = va_arg(args, const char*);
            put_field(&out, text, text_length(text), width);
            break;
        }
        case 'd': {
            long v = is_long ? va_arg(args, long) : va_arg(args, int);
            // The magnitude in unsigned arithmetic, which also holds the most negative value.
            unsigned long magnitude =
                v < 0 ? 0UL - static_cast<unsigned long>(v) : static_cast<unsigned long>(v);
            char* first = decimal_digits(magnitude, number_end);
            if (v < 0)
                *--first = '-';
            put_field(&out, first, static_cast<size_t>(number_end - first), width);
            break;
        }
        case 'u': {
            unsigned long v = is_long ? va_arg(args, unsigned long) : va_arg(args, unsigned);
            char* first = decimal_digits(v, number_end);
            put_field(&out, first, static_cast<size_t>(number_end - first), width);
            break;
        }
        case 'f': {
            int length = precision == -2 ? -1
                                         : fixed_decimal(va_arg(args, double),
                                                         precision < 0 ? 6 : precision, number);
            if (length < 0)
                failed = true;
            else
                put_field(&out, number, static_cast<size_t>(length), width);
            break;
        }
        default:
            failed = true;
            break;
        }
    }
    buffer[out.stored] = '\0';
    return failed ? -1 : static_cast<int>(out.stored);
}

int text_format(char* buffer, size_t size, const char* format, ...) {
    va_list args;
    va_start(args, format);
    int length = text_vformat(buffer, size, format, args);
    va_end(args);
    return length;
}
