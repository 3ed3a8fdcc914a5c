// The real console: standard output and standard input through stdio.
#include "console.h"

#include <cstdarg>
#include <cstdio>

namespace {

void stdio_write(const char* text, size_t length) {
    (void)std::fwrite(text, 1, length, stdout);
}

void stdio_flush() {
    (void)std::fflush(stdout);
}

int stdio_read_char() {
    int c = std::getchar();
    return c == EOF ? -1 : c;
}

const pex_console stdio_console_seam = {stdio_write, stdio_flush, stdio_read_char};

} // namespace

const pex_console* stdio_console() {
    return &stdio_console_seam;
}

void console_print(const pex_console* console, const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    int length = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (length < 0)
        return;
    size_t stored =
        static_cast<size_t>(length) < sizeof text ? static_cast<size_t>(length) : sizeof text - 1;
    console->write(text, stored);
    console->flush();
}
