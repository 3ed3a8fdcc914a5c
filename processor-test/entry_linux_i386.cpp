// The process entry point of the freestanding 32-bit Linux program (see
// cmake/FreestandingLinux.cmake).
//
// The kernel starts _start with the stack holding argc, the argument pointers, a null, the
// environment pointers and a null. There are no static initialisers to run (the audit
// checks that the program has none). The floating-point unit is put in the state that the
// Windows programs' entry point gives it: round to nearest, double (53-bit) precision,
// every exception masked (control word 0x027F), so that both compute alike. A reader
// that goes away must not end the program: SIGPIPE is ignored, as output errors are.
#include <cstdint>

#include "console_main.h"
#include "linux_i386.h"

const char* const* linux_environment = nullptr;

namespace {

constexpr uint32_t SIGPIPE_NUMBER = 13;
constexpr uint32_t SIG_IGN_HANDLER = 1;

// The kernel's struct sigaction: handler, flags, restorer, then the mask.
struct kernel_sigaction {
    uint32_t handler;
    uint32_t flags;
    uint32_t restorer;
    uint32_t mask[2];
};

} // namespace

extern "C" __attribute__((noreturn, used)) void linux_process_start(const uint32_t* stack) {
    const unsigned short control_word = 0x027F;
    __asm__ volatile("fninit\n\tfldcw %0" : : "m"(control_word));

    uint32_t argc = stack[0];
    linux_environment = reinterpret_cast<const char* const*>(stack + 1 + argc + 1);

    kernel_sigaction ignore = {SIG_IGN_HANDLER, 0, 0, {0, 0}};
    (void)linux_syscall4(LINUX_SYS_RT_SIGACTION, SIGPIPE_NUMBER,
                         static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&ignore)), 0,
                         sizeof ignore.mask);

    int status = console_main();
    for (;;)
        (void)linux_syscall3(LINUX_SYS_EXIT_GROUP, static_cast<uint32_t>(status), 0, 0);
}

// _start: hands the stack pointer to linux_process_start on a stack aligned to 16 bytes,
// as the compiled code expects.
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
