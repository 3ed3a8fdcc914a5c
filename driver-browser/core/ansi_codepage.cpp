#include "ansi_codepage.h"

#include "utf8.h"

namespace tolvane {

std::u16string ansiToString(const uint8_t* bytes, std::size_t size) {
    std::u16string text(size, u'\0');
    for (std::size_t n = 0; n < size; ++n) {
        text[n] = ansiToChar(bytes[n]);
    }
    return text;
}

std::string toUtf8(const std::u16string& text) {
    std::string out;
    for (std::size_t n = 0; n < text.size(); ++n) {
        uint32_t code = text[n];
        if (code >= 0xD800 && code <= 0xDBFF && n + 1 < text.size() && text[n + 1] >= 0xDC00 &&
            text[n + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[++n] - 0xDC00u);
        }
        uint8_t bytes[4];
        out.append(reinterpret_cast<const char*>(bytes), utf8_encode(code, bytes));
    }
    return out;
}

} // namespace tolvane
