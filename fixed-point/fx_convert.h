// Conversions into and out of the Q4.12 format (16-bit signed v standing for v / 4096).
//
// Text form, written by fx_to_text and read by fx_from_text: an optional "-", one integer
// digit 0 to 7, ".", four fraction digits ("-1.2500"). The text conversions use only 16-bit
// additions, subtractions, comparisons and shifts with the digit tables below: no floating
// point, no multiplication, no division.
#pragma once

#include <cstdint>

// Double -> Q4.12: value * 4096 rounded to nearest, halves away from zero, saturated to the
// whole 16-bit range -32768..32767. NaN gives -32768.
int16_t fx_from_double(double value);

// Q4.12 -> text. Writes at most 8 characters at buffer and no terminator: the text, then one
// blank. Returns the length without the blank: 6, or 7 with a "-". -32768 is written as the
// fixed "-7.9998" with no blank (7 characters, returns 7). The four fraction digits are
// found by thresholds, not rounded: 0x0400 (0.25) reads "0.2496".
int32_t fx_to_text(int16_t value, char* buffer);

// One fraction digit: the largest k with table[k] <= *fraction (signed 16-bit compares, by a
// fixed comparison tree), written as '0' + k to *out; *fraction is lowered by table[k].
void fx_text_digit(const int16_t* table, int16_t* fraction, char* out);

// Text -> Q4.12, result in -32767..32767 (never -32768). Leading blanks (spaces) are
// skipped, then one optional sign ("-" negates; "+" is accepted and changes nothing), an
// integer digit or directly the ".", then up to four fraction digits (tenths, hundredths and
// thousandths by the tables, the fourth adding digit / 2). Integer digits 8 and 9 and sums
// above 32767 saturate to 32767 before the sign is applied.
// The parse stops at the first character that does not fit: "1x" reads as 1.0 and "1.5x"
// as 1.5. A text with no integer digit and no "." where one is due (empty text, a text
// ending after the sign, a letter or a second sign there) reads as 0. No character past the
// terminator is read and no table entry outside 0..9 is used.
int16_t fx_from_text(const char* text);

// Digit tables: entry k for decimal place p is ceil(k * 4096 / 10^p), the smallest stored
// amount worth at least k units of that place.
extern const int16_t fx_step_tenths[10];
extern const int16_t fx_step_hundredths[10];
extern const int16_t fx_step_thousandths[10];

// Fourth fraction digit from the remainder 0..4 after the thousandths: "02468".
extern const char fx_last_digit[5];
