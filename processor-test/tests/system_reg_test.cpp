// The system.reg reader on texts held in memory.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "system_reg.h"

namespace {

struct memory_text {
    const std::string* text;
    size_t position;
};

int memory_next(void* context) {
    auto* m = static_cast<memory_text*>(context);
    if (m->position >= m->text->size())
        return -1;
    return static_cast<unsigned char>((*m->text)[m->position++]);
}

struct found_value {
    reg_lookup result;
    std::string data;
};

found_value look(const std::string& file, const char* key, const char* value,
                 uint32_t capacity = 80) {
    memory_text m{&file, 0};
    reg_byte_source source{memory_next, &m};
    std::vector<uint8_t> buffer(capacity + 16, 0xEE);
    found_value f;
    system_reg_lookup(&source, key, value, buffer.data(), capacity, &f.result);
    f.data.assign(reinterpret_cast<const char*>(buffer.data()), f.result.stored);
    // Nothing past the capacity is touched.
    for (uint32_t i = capacity; i < capacity + 16; ++i)
        EXPECT_EQ(buffer[i], 0xEE) << "written past the buffer at " << i;
    return f;
}

const char* const key = "Software\\Corvelline\\Saltremb\\Hardware";

std::string file_with(const std::string& lines) {
    return "WINE REGISTRY Version 2\n"
           ";; All keys relative to REGISTRY\\\\Machine\n"
           "\n"
           "#arch=win64\n"
           "\n"
           "[Software\\\\Corvelline\\\\Saltremb] 1796763883\n"
           "#time=1dd8757bfb65512\n"
           "\"MMX\"=\"Off\"\n"
           "\n"
           "[Software\\\\Corvelline\\\\Saltremb\\\\Hardware] 1796763883\n"
           "#time=1dd8757bfb65512\n" +
           lines +
           "\n"
           "[Software\\\\Corvelline\\\\Saltremb\\\\Hardware\\\\Sub] 1796763883\n"
           "\"MMX\"=\"Auto\"\n";
}

TEST(SystemReg, ReadsAStringWithItsTerminator) {
    found_value f = look(file_with("\"MMX\"=\"On\"\n"), key, "MMX");
    EXPECT_TRUE(f.result.key_exists);
    EXPECT_TRUE(f.result.value_found);
    EXPECT_EQ(f.result.type, 1u);
    EXPECT_EQ(f.result.size, 3u);
    EXPECT_EQ(f.data, std::string("On\0", 3));
}

TEST(SystemReg, MatchesKeyAndValueNamesIgnoringCase) {
    std::string file = file_with("\"mmx\"=\"oN\"\n");
    found_value f = look(file, "SOFTWARE\\corvelline\\SALTREMB\\hardware", "MmX");
    EXPECT_TRUE(f.result.value_found);
    EXPECT_EQ(f.data, std::string("oN\0", 3));
}

TEST(SystemReg, KeepsKeysApart) {
    // The parent and the child key hold their own MMX values.
    std::string file = file_with("\"Other\"=\"x\"\n");
    EXPECT_FALSE(look(file, key, "MMX").result.value_found);
    EXPECT_EQ(look(file, "Software\\Corvelline\\Saltremb", "MMX").data, std::string("Off\0", 4));
    EXPECT_EQ(look(file, "Software\\Corvelline\\Saltremb\\Hardware\\Sub", "MMX").data,
              std::string("Auto\0", 5));
}

TEST(SystemReg, KeyExistence) {
    std::string file = file_with("");
    EXPECT_TRUE(look(file, key, nullptr).result.key_exists);
    // A key with no header of its own exists when a key below it does.
    EXPECT_TRUE(look(file, "Software\\Corvelline", nullptr).result.key_exists);
    EXPECT_TRUE(look(file, "software", nullptr).result.key_exists);
    EXPECT_FALSE(look(file, "Software\\Corvelline\\Salt", nullptr).result.key_exists);
    EXPECT_FALSE(look(file, "Software\\Corvelline\\Saltremb\\Hard", nullptr).result.key_exists);
    EXPECT_FALSE(look(file, "Software\\Elsewhere", nullptr).result.key_exists);
    EXPECT_FALSE(look("", key, nullptr).result.key_exists);
}

TEST(SystemReg, ValueTypes) {
    std::string file = file_with("@=\"Def\"\n"
                                 "\"B\"=hex:01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,\\\n"
                                 "  18,19,1a,\\\n"
                                 "  ff\n"
                                 "\"D\"=dword:00000002\n"
                                 "\"E\"=str(2):\"On\"\n"
                                 "\"M\"=str(7):\"a\\0b\\0\"\n"
                                 "\"H\"=hex(1):4f,00,6e,00,00,00\n"
                                 "\"N\"=hex(0):34,00\n"
                                 "\"X\"=hex:\n"
                                 "\"Empty\"=\"\"\n");
    found_value def = look(file, key, "");
    EXPECT_EQ(def.result.type, 1u);
    EXPECT_EQ(def.data, std::string("Def\0", 4));

    found_value b = look(file, key, "B");
    EXPECT_EQ(b.result.type, 3u);
    EXPECT_EQ(b.data, std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c\x0d\x0e\x0f"
                                  "\x10\x18\x19\x1a\xff",
                                  20));

    found_value d = look(file, key, "D");
    EXPECT_EQ(d.result.type, 4u);
    EXPECT_EQ(d.data, std::string("\x02\x00\x00\x00", 4));

    found_value e = look(file, key, "E");
    EXPECT_EQ(e.result.type, 2u);
    EXPECT_EQ(e.data, std::string("On\0", 3));

    found_value m = look(file, key, "M");
    EXPECT_EQ(m.result.type, 7u);
    EXPECT_EQ(m.data, std::string("a\0b\0\0", 5));

    // Strings stored as hex are UTF-16 and come back converted, as stored.
    found_value h = look(file, key, "H");
    EXPECT_EQ(h.result.type, 1u);
    EXPECT_EQ(h.data, std::string("On\0", 3));

    found_value n = look(file, key, "N");
    EXPECT_EQ(n.result.type, 0u);
    EXPECT_EQ(n.data, std::string("\x34\x00", 2));

    found_value x = look(file, key, "X");
    EXPECT_TRUE(x.result.value_found);
    EXPECT_EQ(x.result.size, 0u);

    found_value empty = look(file, key, "Empty");
    EXPECT_EQ(empty.data, std::string("\0", 1));
}

TEST(SystemReg, Escapes) {
    std::string file =
        file_with("\"N\\\"a\\\\me\"=\"\\x00e9a\\1z\\xd83d\\xde00\"\n"
                  "\"Q\"=\"a\\\"b\\\\c \\xe9 \\xfc\\x20ac tab\\tx\\n\\r\\a\\v\\e\\f\\b\\101\"\n"
                  "\"U\"=\"\\x4e00\"\n");
    found_value n = look(file, key, "N\"a\\me");
    EXPECT_TRUE(n.result.value_found);
    EXPECT_EQ(n.data, std::string("\xe9"
                                  "a\x01z??\0",
                                  7));
    found_value q = look(file, key, "Q");
    EXPECT_EQ(q.data, std::string("a\"b\\c \xe9 \xfc\x80 tab\tx\n\r\a\v\x1b\f\bA\0", 25));
    EXPECT_EQ(look(file, key, "U").data, std::string("?\0", 2));
}

TEST(SystemReg, NamesWithNonAsciiCharactersMatchThroughTheCodePage) {
    std::string file = file_with("\"\\x20ac\\xe9\"=\"euro\"\n");
    EXPECT_EQ(look(file, key, "\x80\xe9").data, std::string("euro\0", 5));
    EXPECT_FALSE(look(file, key, "\x80\xc9").result.value_found); // only ASCII folds
}

TEST(SystemReg, ReportsTheFullSizeButStoresOnlyWhatFits) {
    std::string v79(79, 'x');
    std::string v80(80, 'y');
    std::string file = file_with("\"A\"=\"" + v79 + "\"\n\"B\"=\"" + v80 + "\"\n");
    found_value a = look(file, key, "A");
    EXPECT_EQ(a.result.size, 80u);
    EXPECT_EQ(a.result.stored, 80u);
    EXPECT_EQ(a.data, v79 + std::string(1, '\0'));
    found_value b = look(file, key, "B");
    EXPECT_EQ(b.result.size, 81u);
    EXPECT_EQ(b.result.stored, 80u);
    EXPECT_EQ(b.data, v80);
    found_value none = look(file, key, "B", 0);
    EXPECT_EQ(none.result.size, 81u);
    EXPECT_EQ(none.result.stored, 0u);
    // A long value of some thousand characters is still measured exactly.
    std::string huge(5000, 'z');
    EXPECT_EQ(look(file_with("\"Z\"=\"" + huge + "\"\n"), key, "Z").result.size, 5001u);
}

TEST(SystemReg, TheLastOfTwoEqualValuesCounts) {
    std::string file = file_with("\"MMX\"=\"On\"\n\"MMX\"=\"Off\"\n");
    EXPECT_EQ(look(file, key, "MMX").data, std::string("Off\0", 4));
}

TEST(SystemReg, CarriageReturnLineEnds) {
    std::string file = "[Software\\\\Corvelline\\\\Saltremb\\\\Hardware] 1\r\n"
                       "\"B\"=hex:01,\\\r\n  02\r\n"
                       "\"MMX\"=\"On\"\r\n";
    EXPECT_EQ(look(file, key, "MMX").data, std::string("On\0", 3));
    EXPECT_EQ(look(file, key, "B").data, std::string("\x01\x02", 2));
}

TEST(SystemReg, MalformedLinesAreNotValues) {
    const char* broken[] = {
        "\"MMX\"=\"On\n",            // unterminated string
        "\"MMX\"=On\n",              // no quotes
        "\"MMX\"=dword:\n",          // no digits
        "\"MMX\"=hex(1:4f,00\n",     // broken type
        "\"MMX\"=str(1)\"On\"\n",    // no colon
        "\"MMX\"=hex:4g\n",          // not hex
        "\"MMX\"=\"On\" x\n",        // something after the value
        "\"MMX\"=dword:000000021\n", // more than eight digits
        "\"MMX\"=hex:41,\\\nxx\n",   // continuation that is not hex
        "\"MMX\"\n",                 // no value
        "\"MMX\n",                   // unterminated name
        "\"MMX\"=\"On\\",            // escape at the end of the file
    };
    for (const char* line : broken) {
        found_value f = look(file_with(line), key, "MMX");
        EXPECT_FALSE(f.result.value_found) << line;
    }
    // A broken line does not swallow the line after it.
    found_value f = look(file_with("\"A\"=\"x\n\"MMX\"=\"On\"\n"), key, "MMX");
    EXPECT_EQ(f.data, std::string("On\0", 3));
    // Nor does a broken key header.
    std::string file = "[Software\\\\Corvelline\n"
                       "[Software\\\\Corvelline\\\\Saltremb\\\\Hardware]\n\"MMX\"=\"On\"\n";
    EXPECT_EQ(look(file, key, "MMX").data, std::string("On\0", 3));
}

TEST(SystemReg, CodePageRoundTrip) {
    for (int byte = 0; byte < 256; ++byte) {
        uint16_t unit = cp1252_to_unit(static_cast<uint8_t>(byte));
        EXPECT_EQ(unit_to_cp1252(unit), byte) << byte;
    }
    EXPECT_EQ(cp1252_to_unit(0x80), 0x20AC);
    EXPECT_EQ(cp1252_to_unit(0x9F), 0x0178);
    EXPECT_EQ(unit_to_cp1252(0x0100), '?');
    EXPECT_EQ(unit_to_cp1252(0xD800), '?');
}

// Writes a value the way Wine writes it, independently of the reader: printable ASCII
// as itself, backslash and quote escaped, anything else as \x with four digits.
std::string escape_like_wine(const std::u16string& units) {
    std::string out;
    char hex[8];
    for (char16_t u : units) {
        if (u == '\\' || u == '"') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u >= 0x20 && u < 0x7F) {
            out += static_cast<char>(u);
        } else {
            std::snprintf(hex, sizeof hex, "\\x%04x", static_cast<unsigned>(u));
            out += hex;
        }
    }
    return out;
}

// The expected ANSI bytes, from a table built by scanning all 256 bytes.
std::string expected_ansi(const std::u16string& units) {
    std::string out;
    for (char16_t u : units) {
        char c = '?';
        for (int byte = 0; byte < 256; ++byte) {
            if (cp1252_to_unit(static_cast<uint8_t>(byte)) == u) {
                c = static_cast<char>(byte);
                break;
            }
        }
        out += c;
    }
    out += '\0';
    return out;
}

TEST(SystemReg, RandomNamesAndValuesReadBackAsWritten) {
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> length(0, 40);
    std::uniform_int_distribution<int> pick(0, 9);
    std::uniform_int_distribution<int> any_unit(1, 0xFFFF);
    std::uniform_int_distribution<int> ascii(0x20, 0x7E);
    for (int round = 0; round < 2000; ++round) {
        std::u16string value;
        int n = length(random);
        for (int i = 0; i < n; ++i) {
            int kind = pick(random);
            char16_t u = kind < 6   ? static_cast<char16_t>(ascii(random))
                         : kind < 8 ? static_cast<char16_t>(0x80 + pick(random) * 12)
                                    : static_cast<char16_t>(any_unit(random));
            value += u;
        }
        std::string name = "V" + std::to_string(round);
        std::string file = file_with("\"Before\"=\"x\"\n\"" + name + "\"=\"" +
                                     escape_like_wine(value) + "\"\n\"After\"=\"y\"\n");
        std::string expected = expected_ansi(value);
        found_value f = look(file, key, name.c_str(), 200);
        ASSERT_TRUE(f.result.value_found) << file;
        EXPECT_EQ(f.result.size, expected.size());
        EXPECT_EQ(f.data, expected) << file;
    }
}

TEST(SystemReg, RandomBytesNeverBreakTheReader) {
    std::mt19937 random(42);
    std::uniform_int_distribution<int> byte(0, 255);
    const char alphabet[] = "[]\"@=\\\n\r ,:()xhexdwordstr0123456789abcdefMX";
    std::uniform_int_distribution<size_t> letter(0, sizeof alphabet - 2);
    for (int round = 0; round < 3000; ++round) {
        std::string file = "[Software\\\\Corvelline\\\\Saltremb\\\\Hardware]\n";
        size_t n = static_cast<size_t>(byte(random)) * 2;
        for (size_t i = 0; i < n; ++i)
            file += (round % 2) ? static_cast<char>(byte(random)) : alphabet[letter(random)];
        for (uint32_t capacity : {0u, 1u, 4u, 80u}) {
            found_value f = look(file, key, "MMX", capacity);
            EXPECT_LE(f.result.stored, capacity);
            if (f.result.value_found) {
                EXPECT_EQ(f.result.stored, std::min(f.result.size, capacity));
            }
        }
    }
}

} // namespace
