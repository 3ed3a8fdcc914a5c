#include "driver_files.h"

#include "ansi_codepage.h"
#include "name_order.h"

#include <algorithm>

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

namespace {

// A name with what it is compared by.
struct SortKey {
    std::string_view name;
    bool shown;           // the code page shows all its characters
    std::string codePage; // their bytes in the code page
};

SortKey sortKey(std::string_view name) {
    SortKey key{name, false, {}};
    key.shown = codePageName(name, &key.codePage);
    return key;
}

int compareKeys(const SortKey& a, const SortKey& b) {
    if (a.shown != b.shown) {
        return a.shown ? -1 : 1;
    }
    const int order = a.shown ? compareNames(a.codePage.c_str(), b.codePage.c_str()) : 0;
    return order != 0 ? order : compareBytes(a.name, b.name);
}

} // namespace

int compareNativeNames(std::string_view a, std::string_view b) {
    return compareKeys(sortKey(a), sortKey(b));
}

void sortNativeNames(std::vector<std::string>* names) {
    std::vector<SortKey> keys;
    keys.reserve(names->size());
    for (const std::string& name : *names) {
        keys.push_back(sortKey(name));
    }
    std::sort(keys.begin(), keys.end(),
              [](const SortKey& a, const SortKey& b) { return compareKeys(a, b) < 0; });
    std::vector<std::string> sorted;
    sorted.reserve(keys.size());
    for (const SortKey& key : keys) {
        sorted.emplace_back(key.name);
    }
    names->swap(sorted);
}

} // namespace tolvane
