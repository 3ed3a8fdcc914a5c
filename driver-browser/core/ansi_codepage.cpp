#include "ansi_codepage.h"

namespace tolvane {

namespace {

// Windows-1252 characters for the bytes 0x80..0x9F. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control character of the same
// value, as Windows' own conversion does.
constexpr char16_t kHighControlRange[32] = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

} // namespace

char16_t ansiToChar(uint8_t byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHighControlRange[byte - 0x80];
    }
    // Every other byte stands for the Latin-1 character of the same value.
    return static_cast<char16_t>(byte);
}

uint8_t charToAnsi(char16_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        return static_cast<uint8_t>(character);
    }
    for (uint8_t byte = 0x80; byte <= 0x9F; ++byte) {
        if (kHighControlRange[byte - 0x80] == character) {
            return byte;
        }
    }
    return '?';
}

std::u16string ansiToString(const uint8_t* bytes, std::size_t size) {
    std::u16string text(size, u'\0');
    for (std::size_t n = 0; n < size; ++n) {
        text[n] = ansiToChar(bytes[n]);
    }
    return text;
}

std::string toUtf8(const std::u16string& text) {
    std::string out;
    for (const char16_t c : text) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

} // namespace tolvane
