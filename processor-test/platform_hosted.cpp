// The platform on Linux with the C library: stdio, the steady clock, getenv and main().
#include "platform.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void stdout_write(const char* text, size_t length) {
    (void)std::fwrite(text, 1, length, stdout);
}

void stderr_write(const char* text, size_t length) {
    (void)std::fwrite(text, 1, length, stderr);
}

void stdout_flush() {
    (void)std::fflush(stdout);
}

int stdin_read_char() {
    int c = std::getchar();
    return c == EOF ? -1 : c;
}

const pex_console stdio_console_seam = {stdout_write, stderr_write, stdout_flush, stdin_read_char};

} // namespace

const pex_console* stdio_console() {
    return &stdio_console_seam;
}

double monotonic_seconds() {
    using clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(clock::now().time_since_epoch()).count();
}

bool environment_value(const char* name, char* buffer, size_t size) {
    const char* value = std::getenv(name);
    if (value == nullptr || std::strlen(value) >= size)
        return false;
    std::memcpy(buffer, value, std::strlen(value) + 1);
    return true;
}

int main(int argc, char** argv) {
    (void)std::signal(SIGPIPE, SIG_IGN);
    return console_main(argc, argv);
}
