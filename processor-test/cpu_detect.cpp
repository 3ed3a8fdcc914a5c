// The decision logic of processor identification, run on whatever probes it is given.
#include "cpu_detect.h"

#include "text_format.h"

namespace {

constexpr uint32_t FLAG_ALIGNMENT_CHECK = 0x40000;
constexpr uint32_t FLAG_ID = 0x200000;

} // namespace

int32_t detect_cpu_on(const cpu_probes* probes, const pex_console* console) {
    console_text(console, "Chip is an 8086 or better\n");
    if ((probes->flags16_write_read(0x0000) & 0xF000) == 0xF000) {
        // Bits 12-15 stuck at 1: 8086, 8088 or 80186. Only the 80186 masks shift counts.
        return probes->shift16_by_33() == 0 ? 0 : 1;
    }

    console_text(console, "Chip is a 286 or better\n");
    if ((probes->flags16_write_read(0x7000) & 0x7000) == 0)
        return 2;

    console_text(console, "Chip is a 386 or better\n");
    uint32_t before = 0;
    uint32_t after = 0;
    probes->flags32_toggle_read(FLAG_ALIGNMENT_CHECK, &before, &after);
    if (after == before)
        return 3;

    console_text(console, "Chip is a 486 or better\n");
    probes->flags32_toggle_read(FLAG_ID, &before, &after);
    if (after == before)
        return 4;

    console_text(console, "Chip is a pentium or better\n");
    uint32_t eax = 0;
    uint32_t edx = 0;
    probes->cpuid_leaf1(&eax, &edx);
    return static_cast<int32_t>(((eax >> 8) & 0xF) | ((edx >> 19) & 0x10));
}

int32_t detect_cpu() {
    return detect_cpu_on(x86_cpu_probes(), stdio_console());
}
