// Processor identification: the step-by-step probes of the flags register, then CPUID.
//
// The generation code: bits 0-3 hold 0 (8086/8088), 1 (80186), 2 (80286), 3 (80386),
// 4 (80486, or family 4 from CPUID) or the CPUID family 5 to 15; bit 4 (16) is set when
// CPUID reports MMX. So a code of 16 or more means MMX is present.
#pragma once

#include <cstdint>

#include "platform.h"

constexpr int32_t CPU_HAS_MMX = 16;

// The five probes of the processor. Each one puts back the flags it found before it
// returns, so nothing it set (alignment checking above all) outlives the probe.
struct cpu_probes {
    // Writes `value` into the low 16 bits of the flags register and reads them back.
    uint16_t (*flags16_write_read)(uint16_t value);
    // Loads 0xFFFF into a 16-bit register and shifts it left by a register count of 33.
    uint16_t (*shift16_by_33)();
    // Reads the 32-bit flags (*before), toggles the bits of `toggle`, writes them and
    // reads them back (*after).
    void (*flags32_toggle_read)(uint32_t toggle, uint32_t* before, uint32_t* after);
    // CPUID leaf 1: EAX (family in bits 8-11) and EDX (MMX in bit 23).
    void (*cpuid_leaf1)(uint32_t* eax, uint32_t* edx);
};

// The probes of the processor this program runs on.
const cpu_probes* x86_cpu_probes();

// Runs the probes in order, printing (and flushing) each progress line before its probe.
int32_t detect_cpu_on(const cpu_probes* probes, const pex_console* console);

// detect_cpu_on with the real processor and standard output.
int32_t detect_cpu();
