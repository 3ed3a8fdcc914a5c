// The lists' order of names, on names from every row of the code page: symbols, digits,
// letters with every kind of accent, letters that count as two, the marks that count only
// at the fourth level, and names alike but for case or a weightless byte.
#include "name_order.h"

#include <gtest/gtest.h>

#include <iterator>

namespace tolvane {
namespace {

// Names in the lists' order, lowest first.
// clang-format off
const char* const kOrdered[] = {
    // Alike at every level but the last: the empty name, the soft hyphen. Then the marks:
    // apostrophe, hyphen, en dash, em dash.
    "", "\xAD", "'", "-", "\x96", "\x97",
    // Space, no-break space; ^ and the modifier circumflex, alike but for their bytes;
    // inverted question mark, small tilde, quotation marks, yen, euro; multiplication and
    // division signs, section, micro, ellipsis, per mille; two undefined bytes.
    " ", "\xA0", "!", "^", "\x88", "_", "~",
    "\xBF", "\x98", "\x91", "\x84", "\x9B", "\xA5", "\x80", "+",
    "\xD7", "\xF7", "\xA7", "\xB5", "\x85", "\x89", "\x81", "\x9D",
    // Digits with one quarter, three quarters and superscript 1.
    "0", "\xBC", "\xBE", "1", "\xB9", "9",
    // a: case, the ordinal, acute, grave, ring; a name of two letters with the marks and the
    // soft hyphen; the ae ligature as ae.
    "A", "a", "\xAA", "\xC1", "\xE0", "\xC5", "A.drv", "a.DRV", "a.drv", "a_",
    "ab", "a\xAD" "b", "ab-", "a\x01" "b", "a'b", "a-b", "-ab", "\xE1" "b",
    "ae", "\xC6", "\xE6", "apple", "b",
    // C cedilla, eth, e with acute and diaeresis, f hook.
    "\xC7", "d", "\xD0", "\xF0", "e", "\xE9", "\xCB",
    "\xE9" "a", "\xC9" "b", "\xE9" "cole", "f", "\x83",
    // o: the ordinal, diaeresis, stroke; the oe ligature as oe.
    "o", "\xBA", "\xD6", "\xF8", "oe", "\x8C", "\x9C", "\xD6" "z",
    // s caron, sharp s as ss, thorn as th, the trade mark sign after t.
    "s", "\x8A", "\x9A", "ss", "\xDF", "t", "th", "\xDE", "\xFE", "\x99",
    // U diaeresis, y acute, y diaeresis, z caron.
    "u", "\xDC", "y", "\xFD", "\x9F", "\xFF", "z", "\x8E", "\x9E", "zebra",
};
// clang-format on

TEST(NameOrder, EveryPairIsInTheListsOrderAndOnlyEqualNamesCompareEqual) {
    for (std::size_t i = 0; i < std::size(kOrdered); ++i) {
        for (std::size_t j = 0; j < std::size(kOrdered); ++j) {
            const int order = compareNames(kOrdered[i], kOrdered[j]);
            EXPECT_EQ(order < 0, i < j) << i << " " << j;
            EXPECT_EQ(order == 0, i == j) << i << " " << j;
        }
    }
}

} // namespace
} // namespace tolvane
