// Pexmoor: the processor check and MMX benchmark on the real processor and console.
//
// Testing aid: the environment variable PEXMOOR_BENCH_SCALE, a whole number N of 1 or more,
// divides the benchmark loop counts by N so that automated runs (sanitizer and emulator
// builds) finish quickly. The printed figures assume the full counts.
#include "cpu_detect.h"
#include "driver.h"

int console_main(int argc, const char* const* argv) {
    const pex_console* console = stdio_console();
    int status = pexmoor_options(console, argc, argv);
    if (status >= 0)
        return status;
    char scale[16];
    pex_driver_seams seams{
        console, detect_cpu, monotonic_seconds, library_kernels(),
        scaled_bench_counts(
            environment_value("PEXMOOR_BENCH_SCALE", scale, sizeof scale) ? scale : nullptr)};
    return pexmoor_run(&seams);
}
