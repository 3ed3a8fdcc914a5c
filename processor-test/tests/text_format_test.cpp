// Pexmoor's own formatting against the C library's snprintf, for every conversion the
// program uses. In the Windows builds the C library is the toolchain's C99 formatting, run
// under Wine.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <type_traits>

#include "text_format.h"

namespace {

int mismatches = 0;

// Formats with both; reports the first few differences.
template <typename T>
void compare(const char* format, T value) {
    char mine[512];
    char theirs[512];
    int n = text_format(mine, sizeof mine, format, value);
    int m = std::snprintf(theirs, sizeof theirs, format, value);
#if defined(_WIN32)
    // The toolchain's C library for Windows prints every NaN as "nan"; the sign stays, as
    // the GNU C library keeps it: "  nan" becomes " -nan".
    if constexpr (std::is_floating_point<T>::value) {
        std::string signed_nan(theirs);
        size_t at = signed_nan.find("nan");
        if (std::signbit(value) && at != std::string::npos) {
            signed_nan.insert(at, "-");
            if (signed_nan[0] == ' ')
                signed_nan.erase(0, 1);
            m = std::snprintf(theirs, sizeof theirs, "%s", signed_nan.c_str());
        }
    }
#endif
    if (n != m || std::strcmp(mine, theirs) != 0) {
        if (++mismatches <= 10)
            ADD_FAILURE() << format << ": \"" << mine << "\" (" << n << "), C library \"" << theirs
                          << "\" (" << m << ")";
    }
}

TEST(TextFormat, IntegersAgreeWithTheCLibraryOverTheEdgesAndAtRandom) {
    mismatches = 0;
    std::mt19937_64 random(1);
    for (long i = 0; i < 200000; ++i) {
        int edges[] = {static_cast<int>(INT_MIN + i), static_cast<int>(INT_MAX - i),
                       static_cast<int>(i - 100000), static_cast<int>(random())};
        for (int v : edges)
            compare("%d", v);
        unsigned long longs[] = {static_cast<unsigned long>(i),
                                 ULONG_MAX - static_cast<unsigned long>(i),
                                 static_cast<unsigned long>(random())};
        for (unsigned long v : longs)
            compare("%lu", v);
    }
    compare("%s", "80486");
    compare("%s", "");
    EXPECT_EQ(mismatches, 0);
}

TEST(TextFormat, DoublesAgreeWithTheCLibraryNearEveryHalfOfTheLastDigit) {
    mismatches = 0;
    const char* formats[] = {"%3.1f", "%5.1f", "%.1f"};
    auto all = [&](double v) {
        for (const char* f : formats) {
            compare(f, v);
            compare(f, -v);
        }
    };
    // The halves k + 0.5 of the last digit, and the doubles on either side of each.
    for (int k = 0; k < 300000; ++k) {
        double half = (k + 0.5) / 10.0;
        all(half);
        all(std::nextafter(half, 0.0));
        all(std::nextafter(half, HUGE_VAL));
    }
    const double special[] = {0.0,     0.25,         0.35,         2.45,       0.125,
                              9.95,    99.95,        999.95,       1e15 + 0.5, DBL_MAX,
                              DBL_MIN, DBL_TRUE_MIN, 4.9e-324 * 3, HUGE_VAL,   NAN};
    for (double v : special)
        all(v);
    // Any bit pattern: every exponent, subnormals, infinities and NaNs.
    std::mt19937_64 random(2);
    for (int i = 0; i < 5000; ++i) {
        uint64_t bits = random();
        double v = 0.0;
        std::memcpy(&v, &bits, sizeof v);
        compare("%.1f", v);
    }
    EXPECT_EQ(mismatches, 0);
}

// Every buffer size from 1 to past the text: the stored text is the longest prefix that
// leaves room for the terminator, the terminator is there, nothing after it is touched.
TEST(TextFormat, CutsAtEveryBufferSizeAndAlwaysTerminates) {
    const std::string full = "machine 80486, MMX 1.5 -7";
    for (size_t size = 1; size <= full.size() + 3; ++size) {
        char buffer[64];
        std::memset(buffer, '#', sizeof buffer);
        int length = text_format(buffer, size, "machine %s, MMX %3.1f %d", "80486", 1.5, -7);
        size_t stored = size - 1 < full.size() ? size - 1 : full.size();
        ASSERT_EQ(length, static_cast<int>(stored)) << "size " << size;
        EXPECT_EQ(std::string(buffer, stored), full.substr(0, stored)) << "size " << size;
        EXPECT_EQ(buffer[stored], '\0') << "size " << size;
        EXPECT_EQ(buffer[stored + 1], '#') << "size " << size;
    }
}

TEST(TextFormat, RefusesWhatItDoesNotCarryOut) {
    char buffer[32];
    for (const char* format :
         {"%x", "%05d", "%-3s", "%3s", "%.1d", "%lf", "%.2f", "%u", "%ld", "%f", "%"})
        EXPECT_EQ(text_format(buffer, sizeof buffer, format, 1), -1) << format;
}

} // namespace
