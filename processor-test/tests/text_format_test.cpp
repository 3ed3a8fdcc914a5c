// Bounded formatting behaves alike on every platform: C99 vsnprintf on POSIX, msvcrt.dll's
// _vsnprintf on Windows (which neither terminates a full buffer nor reports the length of
// a text that does not fit).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "text_format.h"

namespace {

// Every buffer size from 1 to past the text: the stored text is the longest prefix that
// leaves room for the terminator, the terminator is there, nothing after it is touched.
TEST(TextFormat, CutsAtEveryBufferSizeAndAlwaysTerminates) {
    const std::string full = "machine 80486, MMX 1.5";
    for (size_t size = 1; size <= full.size() + 3; ++size) {
        char buffer[64];
        std::memset(buffer, '#', sizeof buffer);
        int length = text_format(buffer, size, "machine %s, MMX %3.1f", "80486", 1.5);
        size_t stored = size - 1 < full.size() ? size - 1 : full.size();
        ASSERT_EQ(length, static_cast<int>(stored)) << "size " << size;
        EXPECT_EQ(std::string(buffer, stored), full.substr(0, stored)) << "size " << size;
        EXPECT_EQ(buffer[stored], '\0') << "size " << size;
        EXPECT_EQ(buffer[stored + 1], '#') << "size " << size;
    }
}

TEST(TextFormat, FormatsTheDriversFields) {
    char buffer[128];
    int length = text_format(buffer, sizeof buffer, "\t%3.1f.     %5.1f mips %s %d\n", 3.33333,
                             72.0, "ok", -5);
    EXPECT_EQ(std::string(buffer, static_cast<size_t>(length)), "\t3.3.      72.0 mips ok -5\n");
}

} // namespace
