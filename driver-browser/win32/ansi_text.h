// Bounded ANSI text in fixed buffers: what the Win32 front-end uses instead of a string class.
#pragma once

#include <stddef.h>
#include <string.h>

namespace tolvane {

// Appends text to the zero-terminated buffer[capacity], cutting what does not fit.
inline void appendText(char* buffer, size_t capacity, const char* text) {
    size_t n = strlen(buffer);
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

} // namespace tolvane
