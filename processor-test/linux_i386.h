// The Linux kernel's interface as a freestanding 32-bit program sees it: system calls
// through int 0x80 (number in EAX, arguments in EBX, ECX, EDX; the result, or minus the
// error number, back in EAX), and the process's environment as _start found it.
#pragma once

#include <cstdint>

constexpr int32_t LINUX_SYS_READ = 3;
constexpr int32_t LINUX_SYS_WRITE = 4;
constexpr int32_t LINUX_SYS_RT_SIGACTION = 174;
constexpr int32_t LINUX_SYS_EXIT_GROUP = 252;
constexpr int32_t LINUX_SYS_CLOCK_GETTIME = 265;

constexpr int32_t LINUX_EINTR = 4;

inline int32_t linux_syscall3(int32_t number, uint32_t a, uint32_t b, uint32_t c) {
    int32_t result;
    __asm__ volatile("int $0x80" : "=a"(result) : "0"(number), "b"(a), "c"(b), "d"(c) : "memory");
    return result;
}

inline int32_t linux_syscall4(int32_t number, uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    int32_t result;
    __asm__ volatile("int $0x80"
                     : "=a"(result)
                     : "0"(number), "b"(a), "c"(b), "d"(c), "S"(d)
                     : "memory");
    return result;
}

// The environment strings ("NAME=value"), null-terminated; set by _start before anything
// else runs.
extern const char* const* linux_environment;
