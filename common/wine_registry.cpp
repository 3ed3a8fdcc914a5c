// Streaming reader of Wine's registry files: one line at a time, one byte of decision at a
// time, with at most four bytes of lookahead (one UTF-8 character).
#include "wine_registry.h"

#include "code_page.h"
#include "utf8.h"

#include <cstring>

namespace {

constexpr uint32_t TYPE_NONE = 0;
constexpr uint32_t TYPE_SZ = 1;
constexpr uint32_t TYPE_EXPAND_SZ = 2;
constexpr uint32_t TYPE_DWORD = 4;
constexpr uint32_t TYPE_MULTI_SZ = 7;

bool is_string_type(uint32_t type) {
    return type == TYPE_SZ || type == TYPE_EXPAND_SZ || type == TYPE_MULTI_SZ;
}

uint32_t fold(uint32_t unit) {
    return (unit >= 'a' && unit <= 'z') ? unit - ('a' - 'A') : unit;
}

int hex_digit(int c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The file through a small buffer, refilled so that a few bytes can be looked at ahead.
struct reader {
    const reg_source* source;
    uint8_t buffer[512];
    size_t filled;
    size_t at;
    bool ended;
    uint16_t low_surrogate; // the second half of a character above U+FFFF, when one waits
};

// Makes `want` bytes available at r->buffer + r->at (fewer only at the end of the file) and
// returns how many are.
size_t ahead(reader* r, size_t want) {
    if (r->filled - r->at < want && !r->ended) {
        std::memmove(r->buffer, r->buffer + r->at, r->filled - r->at);
        r->filled -= r->at;
        r->at = 0;
        while (r->filled < want && !r->ended) {
            size_t got = r->source->read(r->source->context, r->buffer + r->filled,
                                         sizeof r->buffer - r->filled);
            if (got == 0 || got > sizeof r->buffer - r->filled)
                r->ended = true;
            else
                r->filled += got;
        }
    }
    return r->filled - r->at;
}

int peek(reader* r) {
    return ahead(r, 1) > 0 ? r->buffer[r->at] : -1;
}

// The byte after the next one, or -1.
int peek_second(reader* r) {
    return ahead(r, 2) > 1 ? r->buffer[r->at + 1] : -1;
}

int get(reader* r) {
    int c = peek(r);
    if (c != -1)
        ++r->at;
    return c;
}

// The end of a line: a line feed, a carriage return and a line feed, or the end of the file.
bool at_line_end(reader* r) {
    int c = peek(r);
    return c == -1 || c == '\n' || (c == '\r' && peek_second(r) == '\n');
}

// White space as the C library's isspace() counts it.
bool is_space(int c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Blanks: white space short of the line's end.
void skip_blanks(reader* r) {
    for (int c = peek(r); is_space(c) && c != '\n' && !at_line_end(r); c = peek(r))
        get(r);
}

void skip_line(reader* r) {
    for (int c = get(r); c != -1 && c != '\n'; c = get(r)) {
    }
}

// Takes `word` (at most 8 characters) when it comes next; otherwise takes nothing.
bool accept(reader* r, const char* word) {
    const size_t length = std::strlen(word);
    if (ahead(r, length) < length || std::memcmp(r->buffer + r->at, word, length) != 0)
        return false;
    r->at += length;
    return true;
}

enum char_status { CHAR_READ, CHAR_END, CHAR_BROKEN };

// The next UTF-16 code unit of a quoted name or string, up to `closing`: CHAR_END for the
// closing character, CHAR_BROKEN when the line ends first (the line end is left unread).
char_status next_char(reader* r, int closing, uint32_t* code) {
    if (r->low_surrogate != 0) {
        *code = r->low_surrogate;
        r->low_surrogate = 0;
        return CHAR_READ;
    }
    for (;;) {
        if (at_line_end(r))
            return CHAR_BROKEN;
        int c = get(r);
        if (c == closing)
            return CHAR_END;
        if (c == '\\') {
            if (at_line_end(r))
                return CHAR_BROKEN;
            c = peek(r);
            const char* controls = "a\ab\be\x1B"
                                   "f\fn\nr\rt\tv\v";
            for (const char* k = controls; *k != '\0'; k += 2) {
                if (c == *k) {
                    get(r);
                    *code = static_cast<unsigned char>(k[1]);
                    return CHAR_READ;
                }
            }
            if (c == 'x') {
                get(r);
                *code = 'x';
                for (int digits = 0; digits < 4 && hex_digit(peek(r)) >= 0; ++digits)
                    *code =
                        (digits == 0 ? 0 : *code << 4) | static_cast<uint32_t>(hex_digit(get(r)));
                return CHAR_READ;
            }
            if (c >= '0' && c <= '7') {
                *code = 0;
                for (int digits = 0; digits < 3 && peek(r) >= '0' && peek(r) <= '7'; ++digits)
                    *code = (*code << 3) | static_cast<uint32_t>(get(r) - '0');
                return CHAR_READ;
            }
            c = get(r); // any other character stands for itself
        }
        if (c < 0x80) {
            *code = static_cast<uint32_t>(c);
            return CHAR_READ;
        }
        uint8_t sequence[4] = {static_cast<uint8_t>(c)};
        size_t available = 1 + ahead(r, 3);
        for (size_t n = 1; n < 4 && n < available; ++n)
            sequence[n] = r->buffer[r->at + n - 1];
        size_t length = utf8_decode(sequence, available < 4 ? available : 4, code);
        if (length > 0) {
            r->at += length - 1;
            if (*code >= 0x10000) {
                r->low_surrogate = static_cast<uint16_t>(0xDC00 + (*code & 0x3FF));
                *code = 0xD800 + ((*code - 0x10000) >> 10);
            }
            return CHAR_READ;
        }
        // A byte that starts no character is dropped; the next one is looked at afresh.
    }
}

// Compares decoded characters one by one with a Windows-1252 text, ignoring ASCII case.
struct name_match {
    const char* text;
    size_t length;
    size_t position;
    bool equal;     // every character so far matched
    bool continues; // the whole text matched and a backslash followed (a key below it)
};

void match_start(name_match* m, const char* text) {
    *m = name_match{text, text != nullptr ? std::strlen(text) : 0, 0, true, false};
}

void match_unit(name_match* m, uint32_t unit) {
    if (!m->equal)
        return;
    if (m->position < m->length) {
        uint16_t wanted = cp1252_to_unit(static_cast<uint8_t>(m->text[m->position]));
        if (fold(wanted) == fold(unit)) {
            ++m->position;
            return;
        }
    } else if (unit == '\\' && m->length > 0) {
        m->continues = true;
    }
    m->equal = false;
}

bool match_whole(const name_match* m) {
    return m->equal && m->position == m->length;
}

// A name up to `closing`; false when the line ends first.
bool read_name(reader* r, int closing, name_match* m) {
    for (;;) {
        uint32_t code = 0;
        char_status status = next_char(r, closing, &code);
        if (status != CHAR_READ)
            return status == CHAR_END;
        match_unit(m, code);
    }
}

// Collects the value's bytes as the ANSI call returns them.
struct value_sink {
    uint8_t* data;
    uint32_t capacity;
    uint32_t size;
    uint32_t type;
    bool pending_low; // a UTF-16 low byte of a hex string waits for its high byte
    uint8_t low;
};

void sink_byte(value_sink* s, uint8_t byte) {
    if (s->size < s->capacity)
        s->data[s->size] = byte;
    if (s->size < UINT32_MAX)
        ++s->size;
}

void sink_unit(value_sink* s, uint32_t unit) {
    if (is_string_type(s->type)) {
        sink_byte(s, unit_to_cp1252(static_cast<uint16_t>(unit)));
    } else {
        sink_byte(s, static_cast<uint8_t>(unit));
        sink_byte(s, static_cast<uint8_t>(unit >> 8));
    }
}

// A quoted string after its opening quote, with its terminator; false when it is broken.
bool read_string(reader* r, value_sink* s) {
    for (;;) {
        uint32_t code = 0;
        char_status status = next_char(r, '"', &code);
        if (status == CHAR_BROKEN)
            return false;
        if (status == CHAR_END)
            break;
        sink_unit(s, code);
    }
    sink_unit(s, 0);
    return true;
}

// A number as wineserver reads it, with strtoul in base 16 on a 64-bit system: blanks, a sign,
// "0x", the digits (more than sixteen give all ones, whatever the sign). No digit at all
// reads as 0, and nothing is consumed then but the blanks and the sign.
uint64_t read_number(reader* r) {
    skip_blanks(r);
    const bool negative = peek(r) == '-';
    if (peek(r) == '-' || peek(r) == '+')
        get(r);
    if (peek(r) == '0' && (peek_second(r) | 0x20) == 'x' && ahead(r, 3) >= 3 &&
        hex_digit(r->buffer[r->at + 2]) >= 0)
        r->at += 2;
    uint64_t v = 0;
    bool over = false;
    while (hex_digit(peek(r)) >= 0) {
        over = over || v > (UINT64_MAX >> 4);
        v = (v << 4) | static_cast<uint64_t>(hex_digit(get(r)));
    }
    return over ? UINT64_MAX : negative ? 0 - v : v;
}

void sink_hex_byte(value_sink* s, uint8_t byte) {
    if (!is_string_type(s->type)) {
        sink_byte(s, byte);
    } else if (s->pending_low) {
        sink_unit(s, static_cast<uint32_t>(s->low | (byte << 8)));
        s->pending_low = false;
    } else {
        s->low = byte;
        s->pending_low = true;
    }
}

// Hex bytes: each a number of at most 0xFF, followed by blanks, a comma or none, blanks.
// A backslash behind them continues the bytes on the next line (the rest of its own line is
// ignored), whose blanks are skipped; an empty continuation line ends them. Of a string, an
// odd last byte is no character.
bool read_hex_bytes(reader* r, value_sink* s) {
    for (;;) {
        while (hex_digit(peek(r)) >= 0) {
            uint64_t byte = read_number(r);
            if (byte > 0xFF)
                return false;
            sink_hex_byte(s, static_cast<uint8_t>(byte));
            skip_blanks(r);
            accept(r, ",");
            skip_blanks(r);
        }
        if (at_line_end(r))
            return true;
        if (!accept(r, "\\"))
            return false;
        skip_line(r);
        if (peek(r) == -1)
            return false;
        skip_blanks(r);
    }
}

// The data after "=" into the sink; false when Wine cannot read it. What follows a string or
// a double word on its line is not looked at.
bool read_value(reader* r, value_sink* s) {
    const struct {
        const char* tag;
        uint32_t type;
    } strings[] = {{"\"", TYPE_SZ},
                   {"str:\"", TYPE_SZ},
                   {"str(2):\"", TYPE_EXPAND_SZ},
                   {"str(7):\"", TYPE_MULTI_SZ}};
    for (const auto& string : strings) {
        if (accept(r, string.tag)) {
            s->type = string.type;
            return read_string(r, s);
        }
    }
    if (accept(r, "dword:")) {
        s->type = TYPE_DWORD;
        const auto v = static_cast<uint32_t>(read_number(r));
        for (int i = 0; i < 4; ++i)
            sink_byte(s, static_cast<uint8_t>(v >> (8 * i)));
        return true;
    }
    if (accept(r, "hex:")) {
        s->type = 3; // REG_BINARY
        return read_hex_bytes(r, s);
    }
    if (accept(r, "hex(")) {
        s->type = static_cast<uint32_t>(read_number(r));
        return accept(r, "):") && read_hex_bytes(r, s);
    }
    return false;
}

void read_file(reader* r, const char* key_path, const char* value_name, uint8_t* data,
               uint32_t capacity, reg_lookup* result) {
    *result = reg_lookup{};
    if (data == nullptr)
        capacity = 0;
    // The root key always exists and holds no values.
    const bool root = key_path == nullptr || key_path[0] == '\0';
    result->key_exists = root;
    bool in_a_key = false; // behind a well-formed header
    bool in_key = false;   // behind the header of the key looked for
    for (;;) {
        skip_blanks(r);
        int c = peek(r);
        if (c == -1)
            break;
        if (c == '[') {
            get(r);
            name_match m;
            match_start(&m, key_path);
            in_a_key = read_name(r, ']', &m);
            in_key = in_a_key && !root && match_whole(&m);
            result->key_exists = result->key_exists || (in_a_key && (in_key || m.continues));
            skip_line(r);
            continue;
        }
        if (!in_a_key || (c != '"' && c != '@')) {
            skip_line(r);
            continue;
        }
        // A value line: its name, "=", then the data, which is read whatever the value, since
        // hex bytes may go on over the following lines.
        name_match m;
        match_start(&m, value_name);
        get(r);
        const bool named = c == '@' || read_name(r, '"', &m);
        skip_blanks(r);
        if (!named || !accept(r, "=")) {
            skip_line(r);
            continue;
        }
        skip_blanks(r);
        const bool wanted = in_key && value_name != nullptr && match_whole(&m);
        value_sink s{data, wanted ? capacity : 0, 0, TYPE_NONE, false, 0};
        const bool readable = read_value(r, &s);
        if (wanted) {
            result->value_found = true;
            result->type = readable ? s.type : TYPE_NONE;
            result->size = readable ? s.size : 0;
            result->stored = result->size < capacity ? result->size : capacity;
        }
        skip_line(r);
    }
}

struct memory_bytes {
    const uint8_t* bytes;
    size_t left;
};

size_t memory_read(void* context, uint8_t* buffer, size_t capacity) {
    auto* m = static_cast<memory_bytes*>(context);
    size_t n = m->left < capacity ? m->left : capacity;
    std::memcpy(buffer, m->bytes, n);
    m->bytes += n;
    m->left -= n;
    return n;
}

} // namespace

void wine_registry_lookup(const reg_source* source, const char* key_path, const char* value_name,
                          uint8_t* data, uint32_t capacity, reg_lookup* result) {
    reader r;
    r.source = source;
    r.filled = r.at = 0;
    r.ended = false;
    r.low_surrogate = 0;
    read_file(&r, key_path, value_name, data, capacity, result);
}

void wine_registry_lookup_bytes(const uint8_t* bytes, size_t size, const char* key_path,
                                const char* value_name, uint8_t* data, uint32_t capacity,
                                reg_lookup* result) {
    memory_bytes m{bytes, size};
    reg_source source{memory_read, &m};
    wine_registry_lookup(&source, key_path, value_name, data, capacity, result);
}
