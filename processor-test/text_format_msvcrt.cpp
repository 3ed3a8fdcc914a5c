// Bounded formatting through msvcrt.dll's _vsnprintf, which every Windows since Windows 95
// OSR2 and NT 4.0 has. Unlike C99's vsnprintf it returns -1 when the text does not fit and
// leaves the buffer unterminated when the text fills it exactly, so the terminator is
// always written here.
//
// Declared here rather than taken from <stdio.h>: the toolchain's headers may route the
// call to their own formatting code, which a program without the toolchain's run-time
// cannot link.
#include "text_format.h"

extern "C" __declspec(dllimport) int __cdecl _vsnprintf(char* buffer, size_t count,
                                                        const char* format, va_list args);

int text_vformat(char* buffer, size_t size, const char* format, va_list args) {
    int length = _vsnprintf(buffer, size - 1, format, args);
    if (length < 0 || static_cast<size_t>(length) > size - 1)
        length = static_cast<int>(size - 1); // cut short (or failed: keep what was stored)
    buffer[length] = '\0';
    return length;
}
