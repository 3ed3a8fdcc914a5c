// The registry file reader on files held in memory: against every row of what Wine reads
// (wine_registry_lines.txt), whole and in chunks, then keys, sizes and random values. The
// fuzz target (fuzz/wine_registry_fuzz.cpp) takes it through random files.
#include "code_page.h"
#include "wine_registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

// The table of registry lines, in the source tree (a source CMake writes).
extern const char* const kWineRegistryLines;

namespace {

struct found_value {
    reg_lookup result;
    std::string data;
};

// A file handed to the reader `chunk` bytes at a time (0: all at once).
struct chunked_file {
    const std::string* text;
    size_t at, chunk;
};

size_t next_chunk(void* context, uint8_t* buffer, size_t capacity) {
    auto* f = static_cast<chunked_file*>(context);
    const size_t n = std::min({f->chunk, capacity, f->text->size() - f->at});
    std::copy_n(f->text->data() + f->at, n, buffer);
    f->at += n;
    return n;
}

// Looks the value up with a buffer of `capacity` bytes and checks that nothing past it is
// touched.
found_value look(const std::string& file, const char* key, const char* value,
                 uint32_t capacity = 80, size_t chunk = 0) {
    std::vector<uint8_t> buffer(capacity + 16, 0xEE);
    found_value f;
    chunked_file chunks{&file, 0, chunk};
    const reg_source source{next_chunk, &chunks};
    if (chunk == 0)
        wine_registry_lookup_bytes(reinterpret_cast<const uint8_t*>(file.data()), file.size(), key,
                                   value, buffer.data(), capacity, &f.result);
    else
        wine_registry_lookup(&source, key, value, buffer.data(), capacity, &f.result);
    f.data.assign(reinterpret_cast<const char*>(buffer.data()), std::min(f.result.size, capacity));
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

// printf's %b notation: \\, \t, \r, \n and \xHH.
std::string unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        if (c == 'x') {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += c == 't' ? '\t' : c == 'r' ? '\r' : c == 'n' ? '\n' : c;
        }
    }
    return out;
}

// What pexmoor_setting prints for a value: the ANSI call's status, type, size and data.
std::string as_the_call_returns(const found_value& f) {
    const int status = !f.result.value_found ? 2 : f.result.size > 80 ? 234 : 0;
    std::ostringstream out;
    out << "status " << status << " type " << (status == 2 ? 0 : f.result.type) << " size "
        << (status == 2 ? 0 : f.result.size);
    if (status == 0) {
        out << " data";
        for (unsigned char c : f.data)
            out << ' ' << "0123456789abcdef"[c >> 4] << "0123456789abcdef"[c & 15];
    }
    return out.str();
}

TEST(WineRegistry, ReadsEveryLineAsWineReadsIt) {
    std::ifstream table(kWineRegistryLines);
    ASSERT_TRUE(table) << kWineRegistryLines;
    struct row {
        std::string name, expected;
    };
    std::vector<row> rows;
    std::string lines, line;
    while (std::getline(table, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        const size_t first = line.find('\t'), second = line.find('\t', first + 1);
        ASSERT_NE(second, std::string::npos) << line;
        rows.push_back({line.substr(0, first), line.substr(second + 1)});
        lines += unescape(line.substr(first + 1, second - first - 1)) + "\n";
    }
    ASSERT_GT(rows.size(), 60u);
    const std::string file = file_with(lines);
    // Read whole, and in chunks of a few bytes, so that characters, escapes and line ends
    // fall across the borders of the reader's buffer.
    for (size_t chunk : {0, 1, 2, 3, 7})
        for (const row& r : rows)
            EXPECT_EQ(as_the_call_returns(look(file, key, r.name.c_str(), 80, chunk)), r.expected)
                << r.name << " in chunks of " << chunk;
}

// Names match ignoring ASCII case only; a header without its closing bracket is no key's, and
// the values under it belong to no key; blanks may stand before a header, and anything after
// its bracket.
TEST(WineRegistry, Keys) {
    const std::string file = file_with("@=\"Def\"\n\"\\x20ac\\xe9\"=\"euro\"\n");
    EXPECT_EQ(look(file, "SOFTWARE\\corvelline\\SALTREMB", "mmx").data, std::string("Off\0", 4));
    EXPECT_EQ(look(file, "Software\\Corvelline\\Saltremb\\Hardware\\Sub", "MMX").data,
              std::string("Auto\0", 5));
    EXPECT_FALSE(look(file, key, "MMX").result.value_found);
    EXPECT_FALSE(look(file, "Software\\Corvelline\\Salt", "MMX").result.value_found);
    EXPECT_EQ(look(file, key, "").data, std::string("Def\0", 4));
    EXPECT_EQ(look(file, key, "\x80\xe9").data, std::string("euro\0", 5));
    EXPECT_FALSE(look(file, key, "\x80\xc9").result.value_found);

    const std::string broken = "[Software\\\\Corvelline\\\\Saltremb\\\\Hardware\n"
                               "\"MMX\"=\"On\"\n"
                               "  [Software\\\\Corvelline\\\\Lead]junk\n\"MMX\"=\"Lead\"\n";
    EXPECT_FALSE(look(broken, key, "MMX").result.value_found);
    EXPECT_EQ(look(broken, "Software\\Corvelline\\Lead", "MMX").data, std::string("Lead\0", 5));
    EXPECT_FALSE(look("\"MMX\"=\"On\"\n", "", "MMX").result.value_found); // no header at all
}

// The size is the value's whole size, whatever the buffer holds of it (80 and 81 bytes into
// 80 are rows of the table).
TEST(WineRegistry, ReportsTheFullSizeButStoresOnlyWhatFits) {
    const std::string file = file_with("\"Z\"=\"" + std::string(5000, 'z') + "\"\n");
    for (uint32_t capacity : {0u, 1u, 80u}) {
        const found_value z = look(file, key, "Z", capacity);
        EXPECT_EQ(z.result.size, 5001u);
        EXPECT_EQ(z.data, std::string(capacity, 'z'));
    }
}

// Written the way Wine writes it (printable ASCII as itself, backslash and quote escaped,
// anything else as \x with four digits), any text reads back in the code page.
TEST(WineRegistry, RandomValuesReadBackAsWritten) {
    std::mt19937 generator(20261208);
    auto random = [&] { return static_cast<uint32_t>(generator()); };
    for (int round = 0; round < 2000; ++round) {
        std::string escaped, expected;
        const int length = static_cast<int>(random() % 41);
        for (int i = 0; i < length; ++i) {
            const uint32_t kind = random() % 10;
            const auto unit = static_cast<uint16_t>(kind < 6   ? 0x20 + random() % 0x5F
                                                    : kind < 8 ? 0x80 + random() % 10 * 12
                                                               : 1 + random() % 0xFFFF);
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%04x", static_cast<unsigned>(unit));
            escaped += unit == '\\' || unit == '"'   ? std::string(1, '\\') + char(unit)
                       : unit >= 0x20 && unit < 0x7F ? std::string(1, char(unit))
                                                     : std::string(hex);
            int byte = 0;
            while (byte < 256 && cp1252_to_unit(static_cast<uint8_t>(byte)) != unit)
                ++byte;
            expected += static_cast<char>(byte < 256 ? byte : '?');
        }
        const std::string file =
            file_with("\"Before\"=\"x\"\n\"V\"=\"" + escaped + "\"\n\"After\"=\"y\"\n");
        found_value f = look(file, key, "V", 200);
        ASSERT_TRUE(f.result.value_found) << file;
        EXPECT_EQ(f.data, expected + '\0') << file;
    }
}

} // namespace
