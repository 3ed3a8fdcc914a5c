#include "name_order.h"

#include <cstdint>

namespace tolvane {

namespace {

// Characters that share one weight at level 1, in rising order of that weight. Each group's
// tiers hold the characters of one weight at level 2 (accents), rising; case plays no part.
struct Group {
    const char* tiers[8];
};

// clang-format off
constexpr Group kLevelOne[] = {
    // Blanks, punctuation and symbols, each with a weight of its own but for ^ and the
    // modifier circumflex (0x88), which share one.
    {{" "}}, {{"\xA0"}}, {{"\t"}}, {{"\n"}}, {{"\v"}}, {{"\f"}}, {{"\r"}},
    {{"!"}}, {{"\""}}, {{"#"}}, {{"$"}}, {{"%"}}, {{"&"}}, {{"("}}, {{")"}}, {{"*"}}, {{","}},
    {{"."}}, {{"/"}}, {{":"}}, {{";"}}, {{"?"}}, {{"@"}}, {{"["}}, {{"\\"}}, {{"]"}},
    {{"^\x88"}}, {{"_"}}, {{"`"}}, {{"{"}}, {{"|"}}, {{"}"}}, {{"~"}},
    // Inverted exclamation mark, broken bar, diaeresis, macron, acute, cedilla, inverted
    // question mark, small tilde; the quotation marks; cent, pound, currency, yen, euro.
    {{"\xA1"}}, {{"\xA6"}}, {{"\xA8"}}, {{"\xAF"}}, {{"\xB4"}}, {{"\xB8"}}, {{"\xBF"}}, {{"\x98"}},
    {{"\x91"}}, {{"\x92"}}, {{"\x82"}}, {{"\x93"}}, {{"\x94"}}, {{"\x84"}}, {{"\x8B"}}, {{"\x9B"}},
    {{"\xA2"}}, {{"\xA3"}}, {{"\xA4"}}, {{"\xA5"}}, {{"\x80"}},
    // Plus, less, equals, greater, plus-minus, the angle quotation marks, multiplication and
    // division; section, copyright, not, registered, degree, micro, pilcrow, middle dot,
    // ellipsis, dagger, double dagger, bullet, per mille.
    {{"+"}}, {{"<"}}, {{"="}}, {{">"}}, {{"\xB1"}}, {{"\xAB"}}, {{"\xBB"}}, {{"\xD7"}}, {{"\xF7"}},
    {{"\xA7"}}, {{"\xA9"}}, {{"\xAC"}}, {{"\xAE"}}, {{"\xB0"}}, {{"\xB5"}}, {{"\xB6"}}, {{"\xB7"}},
    {{"\x85"}}, {{"\x86"}}, {{"\x87"}}, {{"\x95"}}, {{"\x89"}},
    // The five bytes the code page leaves undefined (the control characters U+0081 ...).
    {{"\x81", "\x8D", "\x8F", "\x90", "\x9D"}},
    // Digits: the fractions one quarter, one half and three quarters between 0 and 1, the
    // superscripts with their digits.
    {{"0"}}, {{"\xBC"}}, {{"\xBD"}}, {{"\xBE"}}, {{"1\xB9"}}, {{"2\xB2"}}, {{"3\xB3"}},
    {{"4"}}, {{"5"}}, {{"6"}}, {{"7"}}, {{"8"}}, {{"9"}},
    // Letters: plain, then the ordinal indicator (a, o), acute, grave, circumflex,
    // diaeresis, tilde, ring and stroke; c with cedilla, d with eth, f with hook, s and z
    // with caron. The trade mark sign is a letter of its own between t and u.
    {{"aA", "\xAA", "\xE1\xC1", "\xE0\xC0", "\xE2\xC2", "\xE4\xC4", "\xE3\xC3", "\xE5\xC5"}},
    {{"bB"}},
    {{"cC", "\xE7\xC7"}},
    {{"dD", "\xF0\xD0"}},
    {{"eE", "\xE9\xC9", "\xE8\xC8", "\xEA\xCA", "\xEB\xCB"}},
    {{"fF", "\x83"}},
    {{"gG"}}, {{"hH"}},
    {{"iI", "\xED\xCD", "\xEC\xCC", "\xEE\xCE", "\xEF\xCF"}},
    {{"jJ"}}, {{"kK"}}, {{"lL"}}, {{"mM"}},
    {{"nN", "\xF1\xD1"}},
    {{"oO", "\xBA", "\xF3\xD3", "\xF2\xD2", "\xF4\xD4", "\xF6\xD6", "\xF5\xD5", "\xF8\xD8"}},
    {{"pP"}}, {{"qQ"}}, {{"rR"}},
    {{"sS", "\x9A\x8A"}},
    {{"tT"}},
    {{"\x99"}},
    {{"uU", "\xFA\xDA", "\xF9\xD9", "\xFB\xDB", "\xFC\xDC"}},
    {{"vV"}}, {{"wW"}}, {{"xX"}},
    {{"yY", "\xFD\xDD", "\xFF\x9F"}},
    {{"zZ", "\x9E\x8E"}},
};
// clang-format on

// Letters that count as two at level 1, each with no accent.
struct TwoLetters {
    const char* letters;
    char first;
    char second;
};
constexpr TwoLetters kTwoLetters[] = {
    {"\xE6\xC6", 'a', 'e'}, // the ae ligature
    {"\x9C\x8C", 'o', 'e'}, // the oe ligature
    {"\xDF", 's', 's'},     // sharp s
    {"\xFE\xDE", 't', 'h'}, // thorn
};

// Level 3: the ordinal indicators and the superscript digits.
constexpr char kRaisedForms[] = "\xAA\xBA\xB9\xB2\xB3";

// Level 4, rising: the control characters, the apostrophe, the hyphen, the en and em dash.
constexpr char kMarks[] = "\x01\x02\x03\x04\x05\x06\x07\x08\x0E\x0F\x10\x11\x12\x13\x14\x15"
                          "\x16\x17\x18\x19\x1A\x1B\x1C\x1D\x1E\x1F\x7F'-\x96\x97";

// Left out at every level but the last: the soft hyphen.
constexpr char kSoftHyphen = '\xAD';

// One byte as the lists weigh it.
struct Weight {
    uint8_t primary[2]; // level 1: none (0), one, or two for a letter that counts as two
    uint8_t accent;     // level 2, of the first primary (the second has none)
    uint8_t raised;     // level 3
    uint8_t mark;       // level 4: 0 for none
};

struct WeightTable {
    Weight byte[256];
};

constexpr uint8_t index(char c) {
    return static_cast<uint8_t>(c);
}

constexpr WeightTable makeWeights() {
    WeightTable table{};
    uint8_t primary = 0;
    for (const Group& group : kLevelOne) {
        ++primary;
        for (uint8_t accent = 0; accent < 8 && group.tiers[accent] != nullptr; ++accent) {
            for (const char* c = group.tiers[accent]; *c != '\0'; ++c) {
                table.byte[index(*c)] = Weight{{primary, 0}, accent, 0, 0};
            }
        }
    }
    for (const TwoLetters& two : kTwoLetters) {
        for (const char* c = two.letters; *c != '\0'; ++c) {
            const uint8_t first = table.byte[index(two.first)].primary[0];
            const uint8_t second = table.byte[index(two.second)].primary[0];
            table.byte[index(*c)] = Weight{{first, second}, 0, 0, 0};
        }
    }
    for (const char* c = kRaisedForms; *c != '\0'; ++c) {
        table.byte[index(*c)].raised = 1;
    }
    uint8_t mark = 0;
    for (const char* c = kMarks; *c != '\0'; ++c) {
        table.byte[index(*c)] = Weight{{0, 0}, 0, 0, ++mark};
    }
    return table;
}

constexpr WeightTable kWeights = makeWeights();

constexpr bool everyByteIsWeighed() {
    for (int b = 1; b < 256; ++b) {
        const Weight& w = kWeights.byte[b];
        if (w.primary[0] == 0 && w.mark == 0 && b != index(kSoftHyphen)) {
            return false;
        }
    }
    return true;
}
static_assert(everyByteIsWeighed(), "every byte of the code page but 0 has a weight");

const Weight& weightOf(const char* c) {
    return kWeights.byte[index(*c)];
}

// What one element of a name weighs at levels 1 to 3, or one of its marks at level 4 with
// the number of level-1 elements before it.
struct Element {
    int primary, accent, raised;
};
struct Mark {
    int position, weight;
};

// A name's elements and marks, one by one.
class Walk {
public:
    explicit Walk(const char* name) : at_(name) {}

    // The next level-1 element; false at the end.
    bool next(Element* e) {
        if (second_ != 0) { // the second letter of a letter that counts as two
            *e = Element{second_, 0, 0};
            second_ = 0;
            return true;
        }
        for (; *at_ != '\0'; ++at_) {
            const Weight& w = weightOf(at_);
            if (w.primary[0] != 0) {
                ++at_;
                *e = Element{w.primary[0], w.accent, w.raised};
                second_ = w.primary[1];
                return true;
            }
        }
        return false;
    }

    // The next mark; false at the end.
    bool next(Mark* m) {
        for (; *at_ != '\0'; ++at_) {
            const Weight& w = weightOf(at_);
            if (w.mark != 0) {
                ++at_;
                *m = Mark{elements_, w.mark};
                return true;
            }
            elements_ += (w.primary[0] != 0) + (w.primary[1] != 0);
        }
        return false;
    }

private:
    const char* at_;
    int second_ = 0;
    int elements_ = 0;
};

// Levels 1 to 3 in one pass: level 1 decides where the names differ there; otherwise the
// first difference in accent, then the first in form.
int compareLevelsOneToThree(const char* a, const char* b) {
    Walk x(a);
    Walk y(b);
    int accent = 0;
    int raised = 0;
    for (;;) {
        Element ex{};
        Element ey{};
        const bool hasX = x.next(&ex);
        const bool hasY = y.next(&ey);
        if (!hasX || !hasY) {
            return hasX != hasY ? (hasX ? 1 : -1) : accent != 0 ? accent : raised;
        }
        if (ex.primary != ey.primary) {
            return ex.primary - ey.primary;
        }
        accent = accent != 0 ? accent : ex.accent - ey.accent;
        raised = raised != 0 ? raised : ex.raised - ey.raised;
    }
}

// Level 4: fewer marks first; of two, the one later in the name first; then by weight.
int compareMarks(const char* a, const char* b) {
    Walk x(a);
    Walk y(b);
    for (;;) {
        Mark mx{};
        Mark my{};
        const bool hasX = x.next(&mx);
        const bool hasY = y.next(&my);
        if (!hasX || !hasY) {
            return hasX == hasY ? 0 : hasX ? 1 : -1;
        }
        if (mx.position != my.position) {
            return my.position - mx.position;
        }
        if (mx.weight != my.weight) {
            return mx.weight - my.weight;
        }
    }
}

int compareBytes(const char* a, const char* b) {
    for (; *a != '\0' && *a == *b; ++a, ++b) {
    }
    return index(*a) - index(*b);
}

} // namespace

int compareNames(const char* a, const char* b) {
    int order = compareLevelsOneToThree(a, b);
    if (order == 0) {
        order = compareMarks(a, b);
    }
    if (order == 0) {
        order = compareBytes(a, b);
    }
    return order;
}

} // namespace tolvane
