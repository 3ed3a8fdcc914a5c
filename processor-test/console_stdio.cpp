// The real console on POSIX systems: standard output and standard input through stdio.
#include "console.h"

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
