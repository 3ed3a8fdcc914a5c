// Streaming reader of Wine's registry file.
#include "system_reg.h"

#include <cstring>

namespace {

// Code units of the bytes 0x80-0x9F in Windows-1252 (the five unassigned bytes map to
// the control character of the same number, as Windows does).
const uint16_t cp1252_high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr uint32_t TYPE_SZ = 1;
constexpr uint32_t TYPE_EXPAND_SZ = 2;
constexpr uint32_t TYPE_BINARY = 3;
constexpr uint32_t TYPE_DWORD = 4;
constexpr uint32_t TYPE_MULTI_SZ = 7;

bool is_string_type(uint32_t type) {
    return type == TYPE_SZ || type == TYPE_EXPAND_SZ || type == TYPE_MULTI_SZ;
}

uint16_t fold(uint16_t unit) {
    return (unit >= 'a' && unit <= 'z') ? static_cast<uint16_t>(unit - ('a' - 'A')) : unit;
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

// One byte of lookahead over the source.
struct reader {
    const reg_byte_source* source;
    int ahead;
    bool has_ahead;
};

int peek(reader* r) {
    if (!r->has_ahead) {
        r->ahead = r->source->next(r->source->context);
        if (r->ahead < -1 || r->ahead > 255)
            r->ahead = -1;
        r->has_ahead = true;
    }
    return r->ahead;
}

int get(reader* r) {
    int c = peek(r);
    if (c != -1)
        r->has_ahead = false;
    return c;
}

void skip_blanks(reader* r) {
    while (peek(r) == ' ' || peek(r) == '\t')
        get(r);
}

void skip_line(reader* r) {
    for (int c = get(r); c != -1 && c != '\n'; c = get(r)) {
    }
}

bool accept(reader* r, const char* word) {
    for (; *word != '\0'; ++word) {
        if (peek(r) != static_cast<unsigned char>(*word))
            return false;
        get(r);
    }
    return true;
}

// Hex number of at most `max_digits` digits; false when there is none.
bool read_hex(reader* r, int max_digits, uint32_t* value) {
    uint32_t v = 0;
    int digits = 0;
    while (digits < max_digits && hex_digit(peek(r)) >= 0) {
        v = (v << 4) | static_cast<uint32_t>(hex_digit(get(r)));
        ++digits;
    }
    *value = v;
    return digits > 0;
}

enum unit_status { UNIT_CHAR, UNIT_END, UNIT_BROKEN };

// Decodes the next character of a name or string up to `closing`; the closing character
// itself gives UNIT_END, a line break or the end of the file UNIT_BROKEN (the line break
// is left unread).
unit_status next_unit(reader* r, int closing, uint16_t* unit) {
    int c = peek(r);
    if (c == -1 || c == '\n' || c == '\r')
        return UNIT_BROKEN; // the line break stays for the caller
    get(r);
    if (c == closing)
        return UNIT_END;
    if (c != '\\') {
        *unit = static_cast<uint16_t>(c); // a bare byte above 0x7F counts as Latin-1
        return UNIT_CHAR;
    }
    c = peek(r);
    if (c == -1 || c == '\n' || c == '\r')
        return UNIT_BROKEN;
    get(r);
    switch (c) {
    case 'a':
        *unit = 7;
        return UNIT_CHAR;
    case 'b':
        *unit = 8;
        return UNIT_CHAR;
    case 'e':
        *unit = 27;
        return UNIT_CHAR;
    case 'f':
        *unit = 12;
        return UNIT_CHAR;
    case 'n':
        *unit = 10;
        return UNIT_CHAR;
    case 'r':
        *unit = 13;
        return UNIT_CHAR;
    case 't':
        *unit = 9;
        return UNIT_CHAR;
    case 'v':
        *unit = 11;
        return UNIT_CHAR;
    case 'x': {
        uint32_t v = 0;
        *unit = read_hex(r, 4, &v) ? static_cast<uint16_t>(v) : static_cast<uint16_t>('x');
        return UNIT_CHAR;
    }
    default:
        break;
    }
    if (c >= '0' && c <= '7') {
        uint32_t v = static_cast<uint32_t>(c - '0');
        for (int digits = 1; digits < 3 && peek(r) >= '0' && peek(r) <= '7'; ++digits)
            v = (v << 3) | static_cast<uint32_t>(get(r) - '0');
        *unit = static_cast<uint16_t>(v);
        return UNIT_CHAR;
    }
    *unit = static_cast<uint16_t>(c);
    return UNIT_CHAR;
}

// Compares decoded characters one by one with an ANSI text, ignoring ASCII case.
struct name_match {
    const char* text;
    size_t length;
    size_t position;
    bool equal;     // every character so far matched
    bool continues; // the whole text matched and a backslash followed (a key below it)
};

void match_start(name_match* m, const char* text) {
    m->text = text;
    m->length = text != nullptr ? std::strlen(text) : 0;
    m->position = 0;
    m->equal = true;
    m->continues = false;
}

void match_unit(name_match* m, uint16_t unit) {
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

// Collects the value's bytes as the ANSI call returns them.
struct value_sink {
    uint8_t* data;
    uint32_t capacity;
    uint32_t size;
    bool pending_low; // a UTF-16 low byte of a hex string waits for its high byte
    uint8_t low;
};

void sink_byte(value_sink* s, uint8_t byte) {
    if (s->size < s->capacity)
        s->data[s->size] = byte;
    if (s->size < UINT32_MAX)
        ++s->size;
}

// Parses a quoted string after its opening quote; false when it is broken.
bool read_string(reader* r, value_sink* s) {
    for (;;) {
        uint16_t unit = 0;
        unit_status status = next_unit(r, '"', &unit);
        if (status == UNIT_BROKEN)
            return false;
        if (status == UNIT_END)
            break;
        sink_byte(s, unit_to_cp1252(unit));
    }
    sink_byte(s, 0);
    return true;
}

// Parses comma-separated hex bytes, with backslash continuation lines.
bool read_hex_bytes(reader* r, value_sink* s, bool as_utf16) {
    skip_blanks(r);
    int c = peek(r);
    if (c == -1 || c == '\n' || c == '\r')
        return true; // no bytes at all
    for (;;) {
        uint32_t byte = 0;
        if (!read_hex(r, 2, &byte))
            return false;
        if (as_utf16) {
            if (s->pending_low) {
                sink_byte(s, unit_to_cp1252(static_cast<uint16_t>(s->low | (byte << 8))));
                s->pending_low = false;
            } else {
                s->low = static_cast<uint8_t>(byte);
                s->pending_low = true;
            }
        } else {
            sink_byte(s, static_cast<uint8_t>(byte));
        }
        skip_blanks(r);
        if (peek(r) != ',')
            break;
        get(r);
        skip_blanks(r);
        if (peek(r) == '\\') {
            get(r);
            skip_blanks(r);
            if (peek(r) == '\r')
                get(r);
            if (get(r) != '\n')
                return false;
            skip_blanks(r);
        }
        c = peek(r);
        if (c == -1 || c == '\n' || c == '\r')
            break; // a trailing comma
    }
    if (as_utf16 && s->pending_low) {
        sink_byte(s, unit_to_cp1252(s->low)); // an odd last byte stands alone
        s->pending_low = false;
    }
    return true;
}

// Parses the data after "=" into the sink; false when it is malformed.
bool read_value(reader* r, value_sink* s, uint32_t* type) {
    skip_blanks(r);
    if (accept(r, "\"")) {
        *type = TYPE_SZ;
        return read_string(r, s);
    }
    if (accept(r, "str(")) {
        if (!read_hex(r, 8, type) || !accept(r, "):\""))
            return false;
        return read_string(r, s);
    }
    if (accept(r, "dword:")) {
        uint32_t v = 0;
        if (!read_hex(r, 8, &v))
            return false;
        *type = TYPE_DWORD;
        for (int i = 0; i < 4; ++i)
            sink_byte(s, static_cast<uint8_t>(v >> (8 * i)));
        return true;
    }
    if (accept(r, "hex")) {
        *type = TYPE_BINARY;
        if (accept(r, "(")) {
            if (!read_hex(r, 8, type) || !accept(r, ")"))
                return false;
        }
        if (!accept(r, ":"))
            return false;
        return read_hex_bytes(r, s, is_string_type(*type));
    }
    return false;
}

} // namespace

uint16_t cp1252_to_unit(uint8_t byte) {
    return (byte >= 0x80 && byte <= 0x9F) ? cp1252_high[byte - 0x80] : byte;
}

uint8_t unit_to_cp1252(uint16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<uint8_t>(unit);
    for (int i = 0; i < 32; ++i) {
        if (cp1252_high[i] == unit)
            return static_cast<uint8_t>(0x80 + i);
    }
    return '?';
}

void system_reg_lookup(const reg_byte_source* source, const char* key_path, const char* value_name,
                       uint8_t* data, uint32_t capacity, reg_lookup* result) {
    *result = reg_lookup{};
    if (data == nullptr)
        capacity = 0;
    if (key_path == nullptr || key_path[0] == '\0')
        result->key_exists = true; // the root itself
    reader r{source, 0, false};
    bool in_key = key_path == nullptr || key_path[0] == '\0';

    for (;;) {
        skip_blanks(&r);
        int c = peek(&r);
        if (c == -1)
            break;
        if (c == '[') {
            get(&r);
            name_match m;
            match_start(&m, key_path);
            bool closed = false;
            for (;;) {
                uint16_t unit = 0;
                unit_status status = next_unit(&r, ']', &unit);
                if (status == UNIT_BROKEN)
                    break;
                if (status == UNIT_END) {
                    closed = true;
                    break;
                }
                match_unit(&m, unit);
            }
            in_key = closed && match_whole(&m);
            if (closed && (in_key || m.continues))
                result->key_exists = true;
            skip_line(&r);
            continue;
        }
        if (value_name == nullptr || !in_key || (c != '"' && c != '@')) {
            skip_line(&r);
            continue;
        }

        // A value line of the key we want: its name first.
        name_match m;
        match_start(&m, value_name);
        get(&r);
        bool named_ok = true;
        if (c == '"') {
            for (;;) {
                uint16_t unit = 0;
                unit_status status = next_unit(&r, '"', &unit);
                if (status == UNIT_BROKEN) {
                    named_ok = false;
                    break;
                }
                if (status == UNIT_END)
                    break;
                match_unit(&m, unit);
            }
        }
        skip_blanks(&r);
        if (!named_ok || !match_whole(&m) || !accept(&r, "=")) {
            skip_line(&r);
            continue;
        }

        value_sink s{data, capacity, 0, false, 0};
        uint32_t type = 0;
        bool ok = read_value(&r, &s, &type);
        if (ok) {
            // Nothing but blanks may follow the data on its line.
            skip_blanks(&r);
            int after = peek(&r);
            ok = after == -1 || after == '\n' || after == '\r';
        }
        result->value_found = ok;
        result->type = ok ? type : 0;
        result->size = ok ? s.size : 0;
        result->stored = ok ? (s.size < capacity ? s.size : capacity) : 0;
        skip_line(&r);
    }
}
