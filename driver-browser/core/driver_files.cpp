#include "driver_files.h"

#include "ansi_codepage.h"
#include "utf8.h"

namespace tolvane {

namespace {

const uint8_t* bytesOf(std::string_view text) {
    return reinterpret_cast<const uint8_t*>(text.data());
}

bool isValidUtf8(std::string_view bytes) {
    uint32_t ignored = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = utf8_decode(bytesOf(bytes) + at, bytes.size() - at, &ignored);
        if (length == 0) {
            return false;
        }
        at += length;
    }
    return true;
}

} // namespace

std::u16string shownFileName(std::string_view bytes) {
    if (!isValidUtf8(bytes)) {
        return ansiToString(bytesOf(bytes), bytes.size());
    }
    std::u16string shown;
    uint32_t c = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        at += utf8_decode(bytesOf(bytes) + at, bytes.size() - at, &c);
        if (c >= 0x10000) {
            shown.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            shown.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            shown.push_back(static_cast<char16_t>(c));
        }
    }
    return shown;
}

} // namespace tolvane
