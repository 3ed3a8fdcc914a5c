// Streaming reader of Wine's registry files: a line at a time, deciding on one byte at a time,
// with at most eight bytes of lookahead; and a file on disk read through the POSIX calls with
// the guards wine_registry.h describes.
#include "wine_registry.h"

#include "code_page.h"
#include "utf8.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uint32_t TYPE_NONE = 0;
constexpr uint32_t TYPE_SZ = 1;
constexpr uint32_t TYPE_EXPAND_SZ = 2;
constexpr uint32_t TYPE_BINARY = 3;
constexpr uint32_t TYPE_DWORD = 4;
constexpr uint32_t TYPE_MULTI_SZ = 7;

bool is_string_type(uint32_t type) {
    return type == TYPE_SZ || type == TYPE_EXPAND_SZ || type == TYPE_MULTI_SZ;
}

int hex_digit(int c) {
    const int lower = c | 0x20;
    return c >= '0' && c <= '9' ? c - '0' : lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
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
            size_t room = sizeof r->buffer - r->filled;
            size_t got = r->source->read(r->source->context, r->buffer + r->filled, room);
            r->ended = got == 0 || got > room;
            r->filled += r->ended ? 0 : got;
        }
    }
    return r->filled - r->at;
}

// The byte `n` places ahead, or -1 past the end of the file.
int peek(reader* r, size_t n = 0) {
    return ahead(r, n + 1) > n ? r->buffer[r->at + n] : -1;
}

int get(reader* r) {
    int c = peek(r);
    r->at += c != -1 ? 1 : 0;
    return c;
}

// The end of a line: a line feed, a carriage return and a line feed, or the end of the file.
bool at_line_end(reader* r) {
    int c = peek(r);
    return c == -1 || c == '\n' || (c == '\r' && peek(r, 1) == '\n');
}

// Blanks: white space as the C library's isspace() counts it, short of the line's end.
void skip_blanks(reader* r) {
    for (int c = peek(r); (c == ' ' || (c >= '\t' && c <= '\r')) && !at_line_end(r); c = peek(r))
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
char_status next_unit(reader* r, int closing, uint32_t* unit) {
    if (r->low_surrogate != 0) {
        *unit = r->low_surrogate;
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
            c = get(r);
            const char* controls = "a\ab\be\x1B"
                                   "f\fn\nr\rt\tv\v";
            for (const char* k = controls; *k != '\0'; k += 2) {
                if (c == *k) {
                    *unit = static_cast<unsigned char>(k[1]);
                    return CHAR_READ;
                }
            }
            if (c == 'x' || (c >= '0' && c <= '7')) {
                // \x and up to four hex digits (none: the x itself), or up to three octal ones
                const bool hex = c == 'x';
                *unit = hex ? 'x' : static_cast<uint32_t>(c - '0');
                for (int n = hex ? 0 : 1; n < (hex ? 4 : 3); ++n) {
                    int digit = hex ? hex_digit(peek(r)) : peek(r) - '0';
                    if (digit < 0 || digit > (hex ? 15 : 7))
                        break;
                    *unit = (n == 0 ? 0 : *unit << (hex ? 4 : 3)) | static_cast<uint32_t>(digit);
                    get(r);
                }
                return CHAR_READ;
            } // any other escaped character stands for itself
        }
        if (c < 0x80) {
            *unit = static_cast<uint32_t>(c);
            return CHAR_READ;
        }
        uint8_t sequence[4] = {static_cast<uint8_t>(c)};
        size_t available = 1;
        for (; available < 4 && peek(r, available - 1) != -1; ++available)
            sequence[available] = static_cast<uint8_t>(peek(r, available - 1));
        if (size_t length = utf8_decode(sequence, available, unit)) {
            r->at += length - 1;
            if (*unit >= 0x10000) {
                r->low_surrogate = static_cast<uint16_t>(0xDC00 + (*unit & 0x3FF));
                *unit = 0xD800 + ((*unit - 0x10000) >> 10);
            }
            return CHAR_READ;
        } // a byte that starts no character is dropped
    }
}

// A name up to `closing`, compared with a Windows-1252 one ignoring ASCII case: true when
// it is well formed and the same.
bool read_name(reader* r, int closing, const char* wanted, bool* well_formed) {
    const auto fold = [](uint32_t u) { return u >= 'a' && u <= 'z' ? u - ('a' - 'A') : u; };
    bool same = true;
    for (;;) {
        uint32_t unit = 0;
        char_status status = next_unit(r, closing, &unit);
        if (status != CHAR_READ) {
            *well_formed = status == CHAR_END;
            return same && *wanted == '\0';
        }
        same = same && *wanted != '\0' &&
               fold(cp1252_to_unit(static_cast<uint8_t>(*wanted++))) == fold(unit);
    }
}

// Collects the value's bytes as the ANSI call returns them.
struct value_sink {
    uint8_t* data;
    uint32_t capacity;
    uint32_t size;
    uint32_t type;
    int low_byte; // of a UTF-16 unit of hex data, waiting for its high byte; -1 when none
};

void sink_byte(value_sink* s, uint8_t byte) {
    if (s->size < s->capacity)
        s->data[s->size] = byte;
    s->size += s->size < UINT32_MAX ? 1 : 0;
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
        uint32_t unit = 0;
        char_status status = next_unit(r, '"', &unit);
        if (status != CHAR_READ) {
            sink_unit(s, 0);
            return status == CHAR_END;
        }
        sink_unit(s, unit);
    }
}

// A number as wineserver reads it, with strtoul in base 16 on a 64-bit system: blanks, a sign,
// "0x", the digits (more than sixteen give all ones, whatever the sign). No digit at all
// reads as 0.
uint64_t read_number(reader* r) {
    skip_blanks(r);
    const bool negative = peek(r) == '-';
    if (peek(r) == '-' || peek(r) == '+')
        get(r);
    if (peek(r) == '0' && (peek(r, 1) | 0x20) == 'x' && hex_digit(peek(r, 2)) >= 0)
        r->at += 2;
    uint64_t v = 0;
    bool over = false;
    while (hex_digit(peek(r)) >= 0) {
        over = over || v > (UINT64_MAX >> 4);
        v = (v << 4) | static_cast<uint64_t>(hex_digit(get(r)));
    }
    return over ? UINT64_MAX : negative ? 0 - v : v;
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
            if (!is_string_type(s->type)) {
                sink_byte(s, static_cast<uint8_t>(byte));
            } else if (s->low_byte < 0) {
                s->low_byte = static_cast<int>(byte);
            } else {
                sink_unit(s, static_cast<uint32_t>(s->low_byte) | static_cast<uint32_t>(byte << 8));
                s->low_byte = -1;
            }
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
        s->type = TYPE_BINARY;
        return read_hex_bytes(r, s);
    }
    if (accept(r, "hex(")) {
        s->type = static_cast<uint32_t>(read_number(r));
        return accept(r, "):") && read_hex_bytes(r, s);
    }
    return false;
}

size_t memory_read(void* context, uint8_t* buffer, size_t capacity) {
    auto* m = static_cast<const uint8_t**>(context); // the next byte and the end
    size_t n =
        static_cast<size_t>(m[1] - m[0]) < capacity ? static_cast<size_t>(m[1] - m[0]) : capacity;
    std::memcpy(buffer, m[0], n);
    m[0] += n;
    return n;
}

struct file_source {
    int fd;
    uint64_t left;  // bytes that may still be read under the size limit
    bool too_large; // the file holds more than the limit
};

size_t file_read(void* context, uint8_t* buffer, size_t capacity) {
    auto* f = static_cast<file_source*>(context);
    if (f->left == 0) {
        // One byte more tells whether the file went on growing past the limit.
        uint8_t probe = 0;
        ssize_t got = ::read(f->fd, &probe, 1);
        f->too_large = got > 0;
        return 0;
    }
    if (capacity > f->left)
        capacity = static_cast<size_t>(f->left);
    for (;;) {
        ssize_t got = ::read(f->fd, buffer, capacity);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return 0;
        f->left -= static_cast<uint64_t>(got);
        return static_cast<size_t>(got);
    }
}

} // namespace

void wine_registry_lookup(const reg_source* source, const char* key_path, const char* value_name,
                          uint8_t* data, uint32_t capacity, reg_lookup* result) {
    reader r{source, {}, 0, 0, false, 0};
    *result = reg_lookup{};
    bool in_a_key = false; // behind a well-formed header
    bool in_key = false;   // behind the header of the key looked for
    for (;;) {
        skip_blanks(&r);
        int c = get(&r);
        if (c == -1)
            break;
        if (c == '\n')
            continue; // an empty line
        bool well_formed = false;
        if (c == '[') {
            in_key = read_name(&r, ']', key_path, &well_formed) && well_formed;
            in_a_key = well_formed;
        } else if (in_a_key && (c == '"' || c == '@')) {
            // A value line: its name, "=", then the data, which is read whatever the value,
            // since hex bytes may go on over the following lines.
            bool wanted =
                c == '@' ? *value_name == '\0' : read_name(&r, '"', value_name, &well_formed);
            skip_blanks(&r);
            if ((c == '@' || well_formed) && accept(&r, "=")) {
                skip_blanks(&r);
                wanted = wanted && in_key;
                value_sink s{data, wanted ? capacity : 0, 0, TYPE_NONE, -1};
                const bool readable = read_value(&r, &s);
                if (wanted)
                    *result = readable ? reg_lookup{true, s.type, s.size} : reg_lookup{true, 0, 0};
            }
        }
        skip_line(&r);
    }
}

void wine_registry_lookup_bytes(const uint8_t* bytes, size_t size, const char* key_path,
                                const char* value_name, uint8_t* data, uint32_t capacity,
                                reg_lookup* result) {
    const uint8_t* span[2] = {bytes, bytes + size};
    reg_source source{memory_read, span};
    wine_registry_lookup(&source, key_path, value_name, data, capacity, result);
}

reg_file_status wine_registry_file_lookup(const char* path, const char* key_path,
                                          const char* value_name, uint8_t* data, uint32_t capacity,
                                          reg_lookup* result) {
    *result = reg_lookup{};
    int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return REG_FILE_UNREADABLE;
    struct stat info {};
    reg_file_status status = REG_FILE_READ;
    if (::fstat(fd, &info) != 0)
        status = REG_FILE_UNREADABLE;
    else if (!S_ISREG(info.st_mode))
        status = REG_FILE_NOT_REGULAR;
    else if (static_cast<uint64_t>(info.st_size) > REG_FILE_SIZE_LIMIT)
        status = REG_FILE_TOO_LARGE;
    if (status == REG_FILE_READ) {
        file_source file{fd, REG_FILE_SIZE_LIMIT, false};
        reg_source source{file_read, &file};
        wine_registry_lookup(&source, key_path, value_name, data, capacity, result);
        if (file.too_large) {
            *result = reg_lookup{};
            status = REG_FILE_TOO_LARGE;
        }
    }
    ::close(fd);
    return status;
}
