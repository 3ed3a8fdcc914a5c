// Bounded ANSI text in fixed buffers: what the Win32 front-end uses instead of a string class.
#pragma once

#include <stddef.h>

namespace tolvane {

inline size_t textLength(const char* text) {
    size_t n = 0;
    while (text[n] != '\0')
        ++n;
    return n;
}

// Appends text to the zero-terminated buffer[capacity], cutting what does not fit.
inline void appendText(char* buffer, size_t capacity, const char* text) {
    size_t n = textLength(buffer);
    while (*text != '\0' && n + 1 < capacity)
        buffer[n++] = *text++;
    buffer[n] = '\0';
}

inline void copyText(char* buffer, size_t capacity, const char* text) {
    if (capacity == 0)
        return;
    buffer[0] = '\0';
    appendText(buffer, capacity, text);
}

inline char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compares ignoring the case of ASCII letters; ties between spellings fall back to the bytes.
inline int compareIgnoringCase(const char* a, const char* b) {
    const char* x = a;
    const char* y = b;
    for (; *x != '\0' && foldAscii(*x) == foldAscii(*y); ++x, ++y) {
    }
    const int folded =
        static_cast<unsigned char>(foldAscii(*x)) - static_cast<unsigned char>(foldAscii(*y));
    if (folded != 0)
        return folded;
    for (x = a, y = b; *x != '\0' && *x == *y; ++x, ++y) {
    }
    return static_cast<unsigned char>(*x) - static_cast<unsigned char>(*y);
}

} // namespace tolvane
