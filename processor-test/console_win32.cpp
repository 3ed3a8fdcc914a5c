// The real console on Windows: the process's standard handles, written and read with
// WriteFile and ReadFile, so no C run-time stream is involved.
//
// Line breaks go out as CR LF, as the C run-time's text mode writes them. Nothing is
// buffered here, so flushing has nothing to do. Errors (no console, a closed pipe) are
// ignored; a failed or empty read is the end of input.
#include "console.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace {

void write_bytes(HANDLE out, const char* bytes, size_t length) {
    while (length > 0) {
        DWORD written = 0;
        DWORD chunk = length > 0x10000 ? 0x10000 : static_cast<DWORD>(length);
        if (!WriteFile(out, bytes, chunk, &written, nullptr) || written == 0)
            return;
        bytes += written;
        length -= written;
    }
}

void win32_write(const char* text, size_t length) {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == nullptr || out == INVALID_HANDLE_VALUE)
        return;
    size_t start = 0;
    for (size_t i = 0; i < length; ++i) {
        if (text[i] == '\n') {
            write_bytes(out, text + start, i - start);
            write_bytes(out, "\r\n", 2);
            start = i + 1;
        }
    }
    write_bytes(out, text + start, length - start);
}

void win32_flush() {}

int win32_read_char() {
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    if (in == nullptr || in == INVALID_HANDLE_VALUE)
        return -1;
    unsigned char c = 0;
    DWORD got = 0;
    if (!ReadFile(in, &c, 1, &got, nullptr) || got != 1)
        return -1;
    return c;
}

const pex_console win32_console_seam = {win32_write, win32_flush, win32_read_char};

} // namespace

const pex_console* stdio_console() {
    return &win32_console_seam;
}
