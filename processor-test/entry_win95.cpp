// The process entry point of a Windows console program built without the toolchain's
// start-up code and run-time libraries (see cmake/Win95Executable.cmake).
//
// Windows calls it with nothing the program needs: there are no arguments to parse, no
// static initialisers to run (the build checks that the constructor list is empty) and no
// streams to set up, since the console goes through the standard handles. The floating-
// point unit is put in the state the C run-time gives its programs: round to nearest,
// double (53-bit) precision, every exception masked (control word 0x027F). The stack is
// realigned, since nothing says how Windows 95 leaves it.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "console_main.h"

extern "C" __attribute__((force_align_arg_pointer, noreturn)) void console_entry() {
    const unsigned short control_word = 0x027F;
    __asm__ volatile("fninit\n\tfldcw %0" : : "m"(control_word));
    ExitProcess(static_cast<UINT>(console_main()));
}
