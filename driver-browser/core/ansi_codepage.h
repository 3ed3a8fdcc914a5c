// The system's 8-bit (ANSI) code page: Windows-1252 where there is no Windows to ask
// (common/code_page.h), for the browser's 16-bit strings.
#pragma once

#include "code_page.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace tolvane {

// The character for one byte (byte 0 gives the NUL character).
inline char16_t ansiToChar(uint8_t byte) {
    return static_cast<char16_t>(cp1252_to_unit(byte));
}

// The characters for bytes[0..size), one character per byte.
std::u16string ansiToString(const uint8_t* bytes, std::size_t size);

// UTF-8 of a text (a surrogate pair as its one code point), for printing it on a terminal or
// into a file.
std::string toUtf8(const std::u16string& text);

} // namespace tolvane
