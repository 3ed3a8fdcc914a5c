// The console the program talks through: text out, flush, one character in.
//
// Everything Pexmoor prints goes through one of these, so the tests can capture the
// whole transcript. Every message is written and flushed at once; output errors and
// end of input are ignored.
#pragma once

#include <cstddef>

struct pex_console {
    void (*write)(const char* text, size_t length); // errors ignored
    void (*flush)();                                // errors ignored
    int (*read_char)();                             // the character, or -1 at end of input
};

// Standard output and standard input: stdio on POSIX systems, the process's standard
// handles on Windows (console_win32.cpp).
const pex_console* stdio_console();

// Formats into a bounded buffer (longer output is cut at 255 characters), writes the
// text and flushes.
void console_print(const pex_console* console, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
