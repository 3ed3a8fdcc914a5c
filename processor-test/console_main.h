// The body of a console program. Each program defines it once; the entry point of the
// platform (entry_hosted.cpp: main() on top of the C and C++ run-time; entry_win95.cpp:
// the process entry point of a Windows program without any run-time library) calls it
// and ends the process with its result.
#pragma once

int console_main();
