// The code page table (Windows-1252) against the system's own conversion of code page 1252.
#include "ansi_codepage.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace tolvane {
namespace {

TEST(AnsiCodePageOnWindows, EveryByteConvertsAsTheSystemConvertsCodePage1252) {
    for (int value = 0; value < 256; ++value) {
        const char byte = static_cast<char>(value);
        wchar_t converted = 0;
        ASSERT_EQ(MultiByteToWideChar(1252, 0, &byte, 1, &converted, 1), 1) << "byte " << value;
        EXPECT_EQ(static_cast<unsigned>(ansiToChar(static_cast<uint8_t>(value))),
                  static_cast<unsigned>(converted))
            << "byte " << value;
    }
}

TEST(AnsiCodePageOnWindows, EveryCodeUnitConvertsAsTheSystemWithoutBestFit) {
    for (long unit = 0; unit < 0x10000; ++unit) {
        const wchar_t character = static_cast<wchar_t>(unit);
        char byte = 0;
        ASSERT_EQ(
            WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, &character, 1, &byte, 1, "?", nullptr),
            1);
        ASSERT_EQ(charToAnsi(static_cast<char16_t>(unit)), static_cast<uint8_t>(byte)) << unit;
    }
}

} // namespace
} // namespace tolvane
