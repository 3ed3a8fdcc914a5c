#include "driver_files.h"

#include "ansi_codepage.h"
#include "name_order.h"

namespace tolvane {

namespace {

// The length of the well-formed UTF-8 sequence at bytes[at], with its code point; 0 when
// none starts there.
std::size_t utf8Sequence(std::string_view bytes, std::size_t at, char32_t* codePoint) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    std::size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
        *codePoint = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        smallest = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() - at < length) {
        return 0;
    }
    for (std::size_t n = 1; n < length; ++n) {
        const auto next = static_cast<unsigned char>(bytes[at + n]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        value = (value << 6) | (next & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return 0;
    }
    *codePoint = value;
    return length;
}

} // namespace

bool isValidUtf8(std::string_view bytes) {
    char32_t ignored = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = utf8Sequence(bytes, at, &ignored);
        if (length == 0) {
            return false;
        }
        at += length;
    }
    return true;
}

std::u16string shownFileName(std::string_view bytes) {
    if (!isValidUtf8(bytes)) {
        return ansiToString(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    std::u16string shown;
    char32_t c = 0;
    for (std::size_t at = 0; at < bytes.size(); at += utf8Sequence(bytes, at, &c)) {
        utf8Sequence(bytes, at, &c);
        if (c >= 0x10000) {
            shown.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            shown.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            shown.push_back(static_cast<char16_t>(c));
        }
    }
    return shown;
}

namespace {

// The code page's bytes for the characters name shows into *bytes; false when the code page
// lacks one of them.
bool codePageName(std::string_view name, std::string* bytes) {
    bytes->clear();
    for (const char16_t c : shownFileName(name)) {
        const uint8_t byte = charToAnsi(c);
        if (byte == '?' && c != u'?') {
            return false;
        }
        bytes->push_back(static_cast<char>(byte));
    }
    return true;
}

int compareBytes(std::string_view a, std::string_view b) {
    const int order = a.compare(b);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

} // namespace

int compareNativeNames(std::string_view a, std::string_view b) {
    std::string x;
    std::string y;
    const bool shownX = codePageName(a, &x);
    const bool shownY = codePageName(b, &y);
    if (shownX != shownY) {
        return shownX ? -1 : 1;
    }
    const int order = shownX ? compareNames(x.c_str(), y.c_str()) : 0;
    return order != 0 ? order : compareBytes(a, b);
}

} // namespace tolvane
