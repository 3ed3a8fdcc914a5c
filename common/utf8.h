// The one UTF-8 rule of both programs: a well-formed sequence is the shortest form of one
// code point up to U+10FFFF that is not a surrogate (U+D800..U+DFFF), in 1 to 4 bytes.
// Anything else (a stray continuation byte, a lead byte C0, C1 or F5..FF, a sequence cut
// short, an overlong form, a surrogate, a code point above U+10FFFF) is no character.
#pragma once

#include <cstddef>
#include <cstdint>

// The length of the well-formed sequence at the start of bytes[0..size), with its code point
// in *code_point; 0 (and *code_point untouched) when none starts there or size is 0.
size_t utf8_decode(const uint8_t* bytes, size_t size, uint32_t* code_point);

// Writes the UTF-8 form of a code point up to U+10FFFF into out (room for 4 bytes) and
// returns its length. A surrogate is written in the 3-byte form of its value.
size_t utf8_encode(uint32_t code_point, uint8_t* out);
