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

// The byte for one character: the reverse of ansiToChar, '?' for a character the code page
// lacks.
uint8_t charToAnsi(char16_t character);

// UTF-8 of a text made of such characters (all in the Basic Multilingual Plane), for
// printing it on a terminal or into a file.
std::string toUtf8(const std::u16string& text);

} // namespace tolvane
