// The entry point where the toolchain's run-time starts the program: main().
#include <csignal>

#include "console_main.h"

int main() {
#if defined(SIGPIPE)
    // A reader that goes away must not end the program: output errors are ignored.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    return console_main();
}
