// The system's 8-bit (ANSI) code page: Windows-1252 where there is no Windows to ask.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tolvane {

// The character for one byte (byte 0 gives the NUL character).
char16_t ansiToChar(uint8_t byte);

// The characters for bytes[0..size), one character per byte.
std::u16string ansiToString(const uint8_t* bytes, std::size_t size);

} // namespace tolvane
