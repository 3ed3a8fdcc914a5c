// Windows-1252 against the system's own converter, every byte and every code unit: the C
// library's iconv on Linux, Windows' MultiByteToWideChar and WideCharToMultiByte (without
// best fit) on Windows.
#include "code_page.h"

#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace {

// The code unit the system gives for one byte, or -1 when it has none: glibc leaves the five
// bytes the code page does not define undefined, Windows maps them to the control characters.
long system_unit(uint8_t byte) {
    char in[1] = {static_cast<char>(byte)};
#if defined(_WIN32)
    wchar_t out = 0;
    return MultiByteToWideChar(1252, 0, in, 1, &out, 1) == 1 ? static_cast<long>(out) : -1;
#else
    static const iconv_t converter = iconv_open("UTF-16LE", "CP1252");
    unsigned char out[4] = {};
    char* in_at = in;
    char* out_at = reinterpret_cast<char*>(out);
    size_t in_left = 1, out_left = sizeof out;
    EXPECT_NE(converter, reinterpret_cast<iconv_t>(-1)) << "the C library has no CP1252";
    return iconv(converter, &in_at, &in_left, &out_at, &out_left) != static_cast<size_t>(-1) &&
                   out_left == 2
               ? out[0] | out[1] << 8
               : -1;
#endif
}

TEST(CodePage, EveryByteAndEveryCodeUnitConvertAsTheSystemConvertsThem) {
    for (int value = 0; value < 256; ++value) {
        const auto byte = static_cast<uint8_t>(value);
        const long expected = system_unit(byte);
        const bool undefined =
            value == 0x81 || value == 0x8D || value == 0x8F || value == 0x90 || value == 0x9D;
        EXPECT_TRUE(expected >= 0 || undefined) << "byte " << value;
        EXPECT_EQ(cp1252_to_unit(byte), expected >= 0 ? expected : value) << "byte " << value;
    }
    for (long unit = 0; unit < 0x10000; ++unit) {
        int expected = '?';
        for (int byte = 0; byte < 256; ++byte)
            expected = cp1252_to_unit(static_cast<uint8_t>(byte)) == unit ? byte : expected;
        ASSERT_EQ(unit_to_cp1252(static_cast<uint16_t>(unit)), expected) << "unit " << unit;
#if defined(_WIN32)
        const auto character = static_cast<wchar_t>(unit);
        char byte = 0;
        ASSERT_EQ(
            WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, &character, 1, &byte, 1, "?", nullptr),
            1);
        ASSERT_EQ(unit_to_cp1252(static_cast<uint16_t>(unit)), static_cast<uint8_t>(byte)) << unit;
#endif
    }
}

} // namespace
