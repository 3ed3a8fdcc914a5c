// Reading a whole number from a text, as the C library's strtol does in base 10, without
// the C library.
#pragma once

// Skips leading white space (blank, tab, line feed, vertical tab, form feed, carriage
// return), takes an optional sign and the decimal digits that follow. A value outside
// the range of long gives the nearest limit. *end (when not null) is set behind the
// last digit, or to `text` when there is no digit.
long text_to_long(const char* text, const char** end);
