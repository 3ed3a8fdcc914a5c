// The platform on Windows, through what every Windows since Windows 95 has, with or without a
// run-time library: the standard handles written and read with WriteFile and ReadFile (no C
// run-time stream), the performance counter, kernel32's environment.
//
// The 32-bit program links no run-time library (see cmake/Win95Executable.cmake): Windows
// starts it at console_entry, with nothing the program needs. There are no arguments to parse,
// no static initialisers to run (the audit checks that the constructor list is empty) and no
// streams to set up. The floating-point unit is put in the state the C run-time gives its
// programs, and the stack is realigned, since nothing says how Windows 95 leaves it. The
// 64-bit program keeps the toolchain's run-time, which calls main().
#include "platform.h"

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

// Writes to a standard handle, a line feed as CR LF; nothing is buffered.
void write_text(DWORD handle, const char* text, size_t length) {
    HANDLE out = GetStdHandle(handle);
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

void stdout_write(const char* text, size_t length) {
    write_text(STD_OUTPUT_HANDLE, text, length);
}

void stderr_write(const char* text, size_t length) {
    write_text(STD_ERROR_HANDLE, text, length);
}

void nothing_to_flush() {}

int stdin_read_char() {
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    unsigned char c = 0;
    DWORD got = 0;
    if (in == nullptr || in == INVALID_HANDLE_VALUE || !ReadFile(in, &c, 1, &got, nullptr) ||
        got != 1)
        return -1;
    return c;
}

const pex_console handles_console = {stdout_write, stderr_write, nothing_to_flush, stdin_read_char};

// 0 until the first reading, then 1 (performance counter) or 2 (tick count).
int clock_source = 0;
double counter_period = 0.0; // seconds per count
DWORD last_ticks = 0;
double tick_wraps = 0.0;

} // namespace

const pex_console* stdio_console() {
    return &handles_console;
}

double monotonic_seconds() {
    if (clock_source == 0) {
        LARGE_INTEGER frequency;
        LARGE_INTEGER probe;
        clock_source = 2;
        if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0 &&
            QueryPerformanceCounter(&probe)) {
            counter_period = 1.0 / static_cast<double>(frequency.QuadPart);
            clock_source = 1;
        }
    }
    if (clock_source == 1) {
        LARGE_INTEGER count;
        if (QueryPerformanceCounter(&count))
            return static_cast<double>(count.QuadPart) * counter_period;
        clock_source = 2;
    }
    DWORD ticks = GetTickCount();
    if (ticks < last_ticks)
        tick_wraps += 4294967296.0;
    last_ticks = ticks;
    return (tick_wraps + static_cast<double>(ticks)) / 1000.0;
}

bool environment_value(const char* name, char* buffer, size_t size) {
    DWORD length = GetEnvironmentVariableA(name, buffer, static_cast<DWORD>(size));
    return length > 0 && length < size;
}

#if defined(_WIN64)
int main() {
    return console_main(0, nullptr);
}
#else
extern "C" __attribute__((force_align_arg_pointer, noreturn)) void console_entry() {
    const unsigned short control_word = 0x027F;
    __asm__ volatile("fninit\n\tfldcw %0" : : "m"(control_word));
    ExitProcess(static_cast<UINT>(console_main(0, nullptr)));
}
#endif
