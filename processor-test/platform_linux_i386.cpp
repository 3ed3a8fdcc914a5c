// The platform of the freestanding 32-bit Linux program (see cmake/FreestandingLinux.cmake):
// the kernel's system calls through int 0x80 (number in EAX, arguments in EBX, ECX, EDX, ESI;
// the result, or minus the error number, back in EAX) and a _start of its own. No C library.
//
// The kernel starts _start with the stack holding argc, the argument pointers, a null, the
// environment pointers and a null. There are no static initialisers to run (the audit checks
// that the program has none). The floating-point unit is put in the state the Windows
// programs' entry point gives it, so that both compute alike.
#include "platform.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr int32_t SYS_READ = 3;
constexpr int32_t SYS_WRITE = 4;
constexpr int32_t SYS_RT_SIGACTION = 174;
constexpr int32_t SYS_EXIT_GROUP = 252;
constexpr int32_t SYS_CLOCK_GETTIME = 265;
constexpr int32_t EINTR_NUMBER = 4;

int32_t syscall4(int32_t number, uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    int32_t result;
    __asm__ volatile("int $0x80"
                     : "=a"(result)
                     : "0"(number), "b"(a), "c"(b), "d"(c), "S"(d)
                     : "memory");
    return result;
}

uint32_t address(const void* p) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p));
}

const char* const* environment = nullptr; // "NAME=value" strings, set by _start

// Writes to a file descriptor; nothing is buffered. Errors (a closed pipe) are ignored.
void write_fd(uint32_t fd, const char* text, size_t length) {
    while (length > 0) {
        int32_t written = syscall4(SYS_WRITE, fd, address(text), static_cast<uint32_t>(length), 0);
        if (written == -EINTR_NUMBER)
            continue;
        if (written <= 0)
            return;
        text += written;
        length -= static_cast<size_t>(written);
    }
}

void stdout_write(const char* text, size_t length) {
    write_fd(1, text, length);
}

void stderr_write(const char* text, size_t length) {
    write_fd(2, text, length);
}

void nothing_to_flush() {}

// A failed or empty read is the end of input.
int stdin_read_char() {
    unsigned char c = 0;
    int32_t got;
    do
        got = syscall4(SYS_READ, 0, address(&c), 1, 0);
    while (got == -EINTR_NUMBER);
    return got == 1 ? c : -1;
}

const pex_console fd_console = {stdout_write, stderr_write, nothing_to_flush, stdin_read_char};

} // namespace

const pex_console* stdio_console() {
    return &fd_console;
}

double monotonic_seconds() {
    struct {
        int32_t seconds;
        int32_t nanoseconds;
    } now = {0, 0};
    const uint32_t clock_monotonic = 1;
    if (syscall4(SYS_CLOCK_GETTIME, clock_monotonic, address(&now), 0, 0) != 0)
        return 0.0;
    return static_cast<double>(now.seconds) + static_cast<double>(now.nanoseconds) / 1e9;
}

bool environment_value(const char* name, char* buffer, size_t size) {
    for (const char* const* entry = environment; entry != nullptr && *entry != nullptr; ++entry) {
        const char* p = *entry;
        const char* n = name;
        for (; *n != '\0' && *p == *n; ++p, ++n) {
        }
        if (*n != '\0' || *p != '=')
            continue;
        const size_t length = std::strlen(p + 1);
        if (length >= size)
            return false;
        std::memcpy(buffer, p + 1, length + 1);
        return true;
    }
    return false;
}

extern "C" __attribute__((noreturn, used)) void linux_process_start(const uint32_t* stack) {
    const unsigned short control_word = 0x027F;
    __asm__ volatile("fninit\n\tfldcw %0" : : "m"(control_word));

    const auto argc = static_cast<int>(stack[0]);
    const auto* argv = reinterpret_cast<const char* const*>(stack + 1);
    environment = argv + argc + 1;

    // SIGPIPE (13) to SIG_IGN (1): the kernel's struct sigaction is the handler, the flags,
    // the restorer, then the mask.
    const uint32_t ignore[5] = {1, 0, 0, 0, 0};
    (void)syscall4(SYS_RT_SIGACTION, 13, address(ignore), 0, 8);

    int status = console_main(argc, argv);
    for (;;)
        (void)syscall4(SYS_EXIT_GROUP, static_cast<uint32_t>(status), 0, 0, 0);
}

// _start: hands the stack pointer to linux_process_start on a stack aligned to 16 bytes, as
// the compiled code expects.
__asm__(".text\n"
        ".globl _start\n"
        ".type _start, @function\n"
        "_start:\n"
        "\txorl %ebp, %ebp\n"
        "\tmovl %esp, %eax\n"
        "\tandl $-16, %esp\n"
        "\tsubl $12, %esp\n"
        "\tpushl %eax\n"
        "\tcall linux_process_start\n"
        "\thlt\n"
        ".size _start, . - _start\n");
