// Pexmoor: the processor check and MMX benchmark on the real processor and console.
//
// Testing aid: the environment variable PEXMOOR_BENCH_SCALE, a whole number N of 1 or
// more, divides the benchmark loop counts by N so that automated runs (sanitizer and
// emulator builds) finish quickly. Unset, or anything else, runs the full counts. The
// printed figures assume the full counts.
#include "console_main.h"
#include "cpu_detect.h"
#include "driver.h"
#include "environment.h"
#include "text_number.h"

namespace {

pex_bench_counts bench_counts() {
    pex_bench_counts counts = PEX_FULL_BENCH;
    char scale_text[32];
    if (!environment_value("PEXMOOR_BENCH_SCALE", scale_text, sizeof scale_text))
        return counts;
    const char* end = nullptr;
    long scale = text_to_long(scale_text, &end);
    if (end == scale_text || *end != '\0' || scale < 1)
        return counts;
    counts.dot_plain = static_cast<int32_t>(counts.dot_plain / scale);
    counts.dot_mmx = static_cast<int32_t>(counts.dot_mmx / scale);
    counts.lincomb_plain = static_cast<int32_t>(counts.lincomb_plain / scale);
    counts.lincomb_mmx = static_cast<int32_t>(counts.lincomb_mmx / scale);
    return counts;
}

} // namespace

int console_main() {
    pex_driver_seams seams{stdio_console(), detect_cpu, monotonic_seconds, library_kernels(),
                           bench_counts()};
    return pexmoor_run(&seams);
}
