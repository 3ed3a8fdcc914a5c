// What Pexmoor needs of the system it runs on: a console, a monotonic clock, the environment
// and the process entry point. One source file per target holds all of it:
//   platform_hosted.cpp      Linux with the C library: stdio, the steady clock, getenv, main()
//   platform_win95.cpp       Windows from Windows 95 on: the standard handles, the performance
//                            counter, kernel32's environment; in the 32-bit build the entry
//                            point of a program without any run-time library, in the 64-bit
//                            build main() under the toolchain's run-time
//   platform_linux_i386.cpp  the freestanding 32-bit Linux program: its own _start and
//                            int 0x80 system calls, no C library
#pragma once

#include <cstddef>

// The console the program talks through. Everything Pexmoor prints goes through one of these,
// so the tests can capture the whole transcript. Output errors and end of input are ignored.
struct pex_console {
    void (*write)(const char* text, size_t length);       // standard output
    void (*write_error)(const char* text, size_t length); // standard error
    void (*flush)();                                      // of standard output
    int (*read_char)(); // one character of standard input, or -1 at its end
};

// Standard output, standard error and standard input. On Windows a line feed goes out as
// CR LF, as the C run-time's text mode writes it.
const pex_console* stdio_console();

// Seconds from a monotonic clock: the steady clock; the performance counter on Windows, else
// the tick count (whose wraps are counted, as long as it is read once per 49.7 days); the
// kernel's CLOCK_MONOTONIC in the freestanding program. A clock that cannot be read stands
// still at 0.
double monotonic_seconds();

// Copies the value of the environment variable `name` into `buffer` (terminated); false when
// it is not set or its value does not fit in `size` characters.
bool environment_value(const char* name, char* buffer, size_t size);

// The body of a console program, which each program defines once. The entry point calls it
// with the command line's arguments (on Windows none: argc is 0) and ends the process with
// its result. Before it runs, the floating-point unit computes in double precision, rounding
// to nearest, every exception masked (control word 0x027F in the 32-bit builds), and a reader
// that goes away does not end the program (SIGPIPE is ignored).
int console_main(int argc, const char* const* argv);
