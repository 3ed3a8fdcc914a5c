#include "simulated_cpu.h"

namespace {

simulated_cpu current{chip::i8086, 0, false};
int probe_calls = 0;

uint16_t flags16_write_read(uint16_t value) {
    ++probe_calls;
    switch (current.kind) {
    case chip::i8086:
    case chip::i80186:
        return static_cast<uint16_t>(value | 0xF000); // bits 12-15 always read as 1
    case chip::i80286:
        return static_cast<uint16_t>(value & 0x0FFF); // in real mode they stay 0
    default:
        return static_cast<uint16_t>(value & 0x7FFF); // 386 on: 12-14 settable, 15 clear
    }
}

uint16_t shift16_by_33() {
    ++probe_calls;
    // The 8086 shifts by the whole count; later chips mask it to 5 bits (a shift by 1).
    return current.kind == chip::i8086 ? 0 : static_cast<uint16_t>(0xFFFF << 1);
}

void flags32_toggle_read(uint32_t toggle, uint32_t* before, uint32_t* after) {
    ++probe_calls;
    uint32_t settable = 0;
    if (current.kind == chip::i80486)
        settable = 0x40000;
    if (current.kind == chip::with_cpuid)
        settable = 0x40000 | 0x200000;
    *before = 0x00000202;
    *after = *before ^ (toggle & settable);
}

void cpuid_leaf1(uint32_t* eax, uint32_t* edx) {
    ++probe_calls;
    // Stepping 3, model 5 in the low bits, some extended bits above the family field.
    *eax = 0x00A00053u | ((current.family & 0xF) << 8);
    *edx = 0x0789ABFFu & ~(1u << 23);
    if (current.mmx)
        *edx |= 1u << 23;
}

const cpu_probes probes = {flags16_write_read, shift16_by_33, flags32_toggle_read, cpuid_leaf1};

} // namespace

void simulate(const simulated_cpu& cpu) {
    current = cpu;
    probe_calls = 0;
}

const cpu_probes* simulated_probes() {
    return &probes;
}

int simulated_probe_calls() {
    return probe_calls;
}
