// The run of Pexmoor, step by step.
#include "driver.h"

#include "cpu_detect.h"
#include "fixed_point.h"
#include "fx_convert.h"
#include "text_format.h"

#include <cstring>

int16_t plain_result = 0;
int16_t mmx_result = 0;

const double test_values_a[vec_len] = {1.0,  1.0,   1.0,  1.0,  2.1,  -0.8, 0.2,  1.1,
                                       -1.1, -3.14, 4.23, -2.1, -7.0, 7.0,  -7.0, 7.0};
const double test_values_b[vec_len] = {1.0,  1.0,  1.0, 1.0,  0.11, 4.23, -3.14, 2.72,
                                       2.72, -0.2, 0.8, 0.11, -7.0, -7.0, 7.0,   7.0};

namespace {

int16_t vec_x[vec_len]; // operand and result of the plain kernels
int16_t vec_y[vec_len]; // its copy, for the MMX kernels
int16_t vec_z[vec_len]; // second operand of every call, never written after loading
int16_t coef_a = 0;
int16_t coef_b = 0;

const char* const machine_names[16] = {"8086 or 8088",
                                       "80186",
                                       "80286",
                                       "80386",
                                       "80486",
                                       "Pentium",
                                       "Pentium Pro or Pentium II",
                                       "family 7 processor",
                                       "family 8 processor",
                                       "family 9 processor",
                                       "family 10 processor",
                                       "family 11 processor",
                                       "family 12 processor",
                                       "family 13 processor",
                                       "family 14 processor",
                                       "family 15 or later processor"};

const char* const web_address = "http://www.corvelline.example/";

const char* const usage = "Usage: pexmoor [--help | --version]\n";
const char* const help =
    "Identifies the x86 processor and, when it has MMX, checks the MMX routines of its Q4.12\n"
    "fixed-point library against their plain forms and times both; then waits for Enter.\n"
    "\n"
    "  --help     print this text and exit\n"
    "  --version  print the version and exit\n";

const pex_kernels real_kernels = {fx_dot,     fx_dot_mmx,     fx_lincomb, fx_lincomb_mmx,
                                  fx_add_sat, fx_add_sat_mmx, fx_scale,   fx_scale_mmx};

bool is_word(const char* argument, const char* word) {
    size_t length = std::strlen(word);
    return std::strlen(argument) == length && std::memcmp(argument, word, length) == 0;
}

void load_vectors() {
    for (int32_t i = 0; i < vec_len; ++i) {
        vec_x[i] = fx_from_double(test_values_a[i]);
        vec_y[i] = vec_x[i];
        vec_z[i] = fx_from_double(test_values_b[i]);
    }
}

// Plain and MMX results agree element by element, where the MMX form may also saturate
// a negative result to -32768 where the plain form gives -32767. No early exit.
const char* compare_vectors() {
    bool pass = true;
    for (int32_t i = 0; i < vec_len; ++i)
        pass = (vec_x[i] == vec_y[i] || (vec_x[i] == -32767 && vec_y[i] == -32768)) && pass;
    return pass ? "ok" : "failed";
}

void run_tests(const pex_driver_seams* seams) {
    const pex_console* out = seams->console;
    const pex_kernels* k = seams->kernels;

    load_vectors();
    plain_result = k->dot(vec_x, vec_z, vec_len);
    mmx_result = k->dot_mmx(vec_x, vec_z, vec_len);
    console_print(out, "Test1 (dot product): %s\n", plain_result == mmx_result ? "ok" : "failed");

    coef_a = fx_from_double(coef_a_value);
    coef_b = fx_from_double(coef_b_value);
    k->lincomb(coef_a, vec_x, coef_b, vec_z, vec_len);
    k->lincomb_mmx(coef_a, vec_y, coef_b, vec_z, vec_len);
    console_print(out, "Test2 (linear combination): %s\n", compare_vectors());

    load_vectors();
    k->add_sat(vec_x, vec_z, vec_len);
    k->add_sat_mmx(vec_y, vec_z, vec_len);
    console_print(out, "Test3 (add): %s\n", compare_vectors());

    load_vectors();
    k->scale(vec_x, coef_a, vec_len);
    k->scale_mmx(vec_y, coef_a, vec_len);
    console_print(out, "Test4 (scale): %s\nIf you see 'failed' above, you have a bad chip.\n\n",
                  compare_vectors());
}

void run_benchmarks(const pex_driver_seams* seams) {
    const pex_console* out = seams->console;
    const pex_kernels* k = seams->kernels;
    const pex_bench_counts& n = seams->counts;

    console_print(out, "Benchmarking your MMX system. This will take about a minute. We work "
                       "your\n");
    console_print(out, "machine about 5 times harder in MMX mode; that's why the mmx/non-mmx "
                       "benchmarks\n");
    console_print(out, "seem to take about the same amount of time.\nStarting benchmark 1 "
                       "without mmx...");

    // Each iteration is a whole call through the kernel's interface; the calls go
    // through pointers the compiler cannot see through, so none is hoisted or dropped.
    double t0 = seams->now();
    for (int32_t i = 0; i < n.dot_plain; ++i)
        plain_result = k->dot(vec_x, vec_z, vec_len);
    console_print(out, "done.  Now using mmx...");
    double t1 = seams->now();
    for (int32_t i = 0; i < n.dot_mmx; ++i)
        mmx_result = k->dot_mmx(vec_x, vec_z, vec_len);
    console_print(out, "done.\nStarting benchmark 2 without mmx...");
    double t2 = seams->now();
    for (int32_t i = 0; i < n.lincomb_plain; ++i)
        k->lincomb(coef_a, vec_x, coef_b, vec_z, vec_len);
    console_print(out, "done.  Now using mmx...");
    double t3 = seams->now();
    for (int32_t i = 0; i < n.lincomb_mmx; ++i)
        k->lincomb_mmx(coef_a, vec_y, coef_b, vec_z, vec_len);
    console_print(out, "done.\n\n");
    double t4 = seams->now();

    double factor1 = (t1 - t0) * 5.0 / (t2 - t1);
    double mips1 = vec_len * 30.0 * 2.0 / (t2 - t1);
    double factor2 = (t3 - t2) * 5.0 / (t4 - t3);
    double mips2 = vec_len * 22.5 * 3.0 / (t4 - t3);
    console_print(out, "\n\tBenchmark 1 MMX speed up factor: %3.1f.     %5.1f mips MMX.\n", factor1,
                  mips1);
    console_print(out, "\n\tBenchmark 2 MMX speed up factor: %3.1f.     %5.1f mips MMX.\n", factor2,
                  mips2);
}

} // namespace

pex_bench_counts scaled_bench_counts(const char* scale) {
    pex_bench_counts counts = PEX_FULL_BENCH;
    int32_t n = 0;
    int digits = 0;
    for (; scale != nullptr && scale[digits] >= '0' && scale[digits] <= '9' && digits < 10;
         ++digits)
        n = n * 10 + (scale[digits] - '0');
    if (digits == 0 || digits > 9 || scale[digits] != '\0' || n < 1)
        return counts;
    counts.dot_plain /= n;
    counts.dot_mmx /= n;
    counts.lincomb_plain /= n;
    counts.lincomb_mmx /= n;
    return counts;
}

int pexmoor_options(const pex_console* console, int argc, const char* const* argv) {
    if (argc < 2)
        return -1;
    if (argc == 2 && is_word(argv[1], "--help")) {
        console_text(console, usage);
        console_text(console, help);
        return 0;
    }
    if (argc == 2 && is_word(argv[1], "--version")) {
        console_text(console, "pexmoor " PEXMOOR_VERSION "\n");
        return 0;
    }
    const char* const lines[] = {"pexmoor: unknown argument '", argv[1], "'\n", usage,
                                 "Try 'pexmoor --help' for more information.\n"};
    for (const char* line : lines)
        console->write_error(line, std::strlen(line));
    return 2;
}

const pex_kernels* library_kernels() {
    return &real_kernels;
}

const char* machine_name(int32_t generation) {
    return machine_names[generation & 15];
}

int pexmoor_run(const pex_driver_seams* seams) {
    const pex_console* out = seams->console;

    console_print(out, "Pexmoor processor check and MMX benchmark, from Corvelline\n");
    console_print(out, "%s\n\n", web_address);

    int32_t generation = seams->detect();
    bool has_mmx = false;
    if (generation >= CPU_HAS_MMX) {
        has_mmx = true;
        generation -= CPU_HAS_MMX;
    }
    char machine[32];
    text_format(machine, sizeof machine, "%s", machine_name(generation));
    console_print(out, "\nYour machine is a %s.    MMX is %s\n\n", machine,
                  has_mmx ? "enabled" : "nonexistent");

    if (has_mmx) {
        mmx_enabled = 0; // the dispatching kernels compute in plain arithmetic
        run_tests(seams);
        run_benchmarks(seams);
    }

    console_print(out, "\nPexmoor complete. Visit us at %s.\nHit <enter> to quit this program",
                  web_address);
    (void)out->read_char();
    return 0;
}
