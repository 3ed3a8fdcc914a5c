// The order of names in the driver list and in Select Path's directory list: the order in
// which the system's own sorted lists put names of the 8-bit code page (Windows-1252),
// ignoring case, made total.
#pragma once

namespace tolvane {

// Compares two names (zero-terminated bytes of the code page) in the lists' order, deciding
// level by level:
//   1. letters, digits and symbols, case and accents left out: symbols and punctuation
//      first, then digits (0, the fractions, 1 ... 9), then letters; the ligatures count as
//      ae and oe, sharp s as ss, thorn as th. Hyphens, apostrophes, dashes and control
//      characters are left out until level 4, the soft hyphen altogether.
//   2. accents, from the first character on: e, then e with acute, grave, circumflex,
//      diaeresis.
//   3. ordinal and superscript forms: 1 before superscript 1, o before the ordinal o.
//   4. what level 1 left out: fewer first; of two, the one standing later in the name
//      first ("ab-" before "a-b" before "-ab"); then the apostrophe before the hyphen
//      before the dashes.
//   5. the bytes, so that names the levels above find alike (such as "A" and "a", or "ae"
//      and the ae ligature) still have one order: upper case before lower case.
// Negative, 0 or positive like strcmp; 0 only for equal names.
int compareNames(const char* a, const char* b);

} // namespace tolvane
