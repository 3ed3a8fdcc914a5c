// Windows-1252, the 8-bit (ANSI) code page of Western Windows, in both directions.
#pragma once

#include <cstdint>

// The UTF-16 code unit of a byte. The five bytes the code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) give the control character of the same value, as Windows' own
// conversion does; every byte outside 0x80..0x9F gives the Latin-1 character of its value.
uint16_t cp1252_to_unit(uint8_t byte);

// The byte of a code unit: the reverse of cp1252_to_unit, '?' for a unit the code page lacks
// (no best fit: U+0100 is '?', not 'A').
uint8_t unit_to_cp1252(uint16_t unit);
