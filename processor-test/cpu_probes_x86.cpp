// The real probes: the x86 instructions themselves, in GNU inline assembly.
//
// Every probe saves the whole flags register first and restores it last, so a bit it
// set on purpose (AC, ID, NT) or by accident (DF, TF) is gone before any other code runs.
// On x86-64 the probes step over the 128-byte red zone below the stack pointer before
// pushing, since the compiler may keep values there.
#include "cpu_detect.h"

#if !defined(__i386__) && !defined(__x86_64__)
#error "The processor probes need an x86 processor"
#endif

namespace {

#if defined(__x86_64__)
#define PEX_SAVE_FLAGS "sub $128, %%rsp\n\tpushfq\n\t"
#define PEX_RESTORE_FLAGS "popfq\n\tadd $128, %%rsp\n\t"
#else
#define PEX_SAVE_FLAGS "pushfl\n\t"
#define PEX_RESTORE_FLAGS "popfl\n\t"
#endif

uint16_t flags16_write_read(uint16_t value) {
    uint16_t result;
    __asm__ volatile(PEX_SAVE_FLAGS "pushw %w1\n\t"
                                    "popfw\n\t"
                                    "pushfw\n\t"
                                    "popw %w0\n\t" PEX_RESTORE_FLAGS
                     : "=&r"(result)
                     : "r"(value)
                     : "cc", "memory");
    return result;
}

uint16_t shift16_by_33() {
    uint16_t value = 0xFFFF;
    uint8_t count = 33;
    __asm__ volatile("shlw %%cl, %w0" : "+r"(value) : "c"(count) : "cc");
    return value;
}

void flags32_toggle_read(uint32_t toggle, uint32_t* before, uint32_t* after) {
    // The flags register in its full width (on x86-64 RFLAGS, whose low half is the 32-bit
    // register); the assembler takes each instruction's size from its register.
    uintptr_t first;
    uintptr_t second;
    uintptr_t mask = toggle;
    __asm__ volatile(PEX_SAVE_FLAGS "pushf\n\t"
                                    "pop %0\n\t"
                                    "mov %0, %1\n\t"
                                    "xor %2, %1\n\t"
                                    "push %1\n\t"
                                    "popf\n\t"
                                    "pushf\n\t"
                                    "pop %1\n\t" PEX_RESTORE_FLAGS
                     : "=&r"(first), "=&r"(second)
                     : "r"(mask)
                     : "cc", "memory");
    *before = static_cast<uint32_t>(first);
    *after = static_cast<uint32_t>(second);
}

void cpuid_leaf1(uint32_t* eax, uint32_t* edx) {
    uint32_t ebx;
    uint32_t ecx;
    __asm__ volatile("cpuid" : "=a"(*eax), "=b"(ebx), "=c"(ecx), "=d"(*edx) : "a"(1u), "c"(0u));
}

const cpu_probes x86_probes = {flags16_write_read, shift16_by_33, flags32_toggle_read, cpuid_leaf1};

} // namespace

const cpu_probes* x86_cpu_probes() {
    return &x86_probes;
}
