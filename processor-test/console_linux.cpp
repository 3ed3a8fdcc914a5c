// The real console of the freestanding Linux program: file descriptors 1 and 0 through
// the write and read system calls. Nothing is buffered, so flushing has nothing to do.
// Errors (a closed pipe) are ignored; a failed or empty read is the end of input.
#include "console.h"
#include "linux_i386.h"

#include <cstdint>

namespace {

uint32_t address(const void* p) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p));
}

void linux_write(const char* text, size_t length) {
    while (length > 0) {
        int32_t written =
            linux_syscall3(LINUX_SYS_WRITE, 1, address(text), static_cast<uint32_t>(length));
        if (written == -LINUX_EINTR)
            continue;
        if (written <= 0)
            return;
        text += written;
        length -= static_cast<size_t>(written);
    }
}

void linux_flush() {}

int linux_read_char() {
    unsigned char c = 0;
    for (;;) {
        int32_t got = linux_syscall3(LINUX_SYS_READ, 0, address(&c), 1);
        if (got == -LINUX_EINTR)
            continue;
        return got == 1 ? c : -1;
    }
}

const pex_console linux_console_seam = {linux_write, linux_flush, linux_read_char};

} // namespace

const pex_console* stdio_console() {
    return &linux_console_seam;
}
