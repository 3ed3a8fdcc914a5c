// Decimal numbers, saturating at the limits of long.
#include "text_number.h"

#include <climits>

long text_to_long(const char* text, const char** end) {
    const char* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    // The magnitude in unsigned arithmetic, which also holds the most negative long.
    const unsigned long limit = negative ? 0UL - static_cast<unsigned long>(LONG_MIN)
                                         : static_cast<unsigned long>(LONG_MAX);
    unsigned long magnitude = 0;
    bool any = false;
    bool over = false;
    for (; *p >= '0' && *p <= '9'; ++p) {
        any = true;
        auto digit = static_cast<unsigned long>(*p - '0');
        if (over || magnitude > (limit - digit) / 10)
            over = true;
        else
            magnitude = magnitude * 10 + digit;
    }
    if (end != nullptr)
        *end = any ? p : text;
    if (over)
        return negative ? LONG_MIN : LONG_MAX;
    return negative ? static_cast<long>(0UL - magnitude) : static_cast<long>(magnitude);
}
