// Simulated processors for the identification logic: each behaves as the real chip
// would under the probes (flag bits that stick, a shift count that is or is not masked,
// flags that can or cannot be toggled, what CPUID reports).
#pragma once

#include <cstdint>

#include "cpu_detect.h"

enum class chip { i8086, i80186, i80286, i80386, i80486, with_cpuid };

struct simulated_cpu {
    chip kind;
    uint32_t family; // with_cpuid only: the 4-bit family field
    bool mmx;        // with_cpuid only
};

// Makes `cpu` the processor behind simulated_probes() and clears the probe count.
void simulate(const simulated_cpu& cpu);
const cpu_probes* simulated_probes();
// Probes run since the last simulate().
int simulated_probe_calls();
