#include "driver_files.h"

#include "ansi_codepage.h"
#include "name_order.h"
#include "utf8.h"

#include <algorithm>

namespace tolvane {

std::u16string shownFileName(std::string_view bytes) {
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    std::u16string shown;
    uint32_t c = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = utf8_decode(data + at, bytes.size() - at, &c);
        if (length == 0) { // not UTF-8: the code page's characters
            return ansiToString(data, bytes.size());
        }
        at += length;
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
        const uint8_t byte = unit_to_cp1252(c);
        if (byte == '?' && c != u'?') {
            return false;
        }
        bytes->push_back(static_cast<char>(byte));
    }
    return true;
}

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
    return order != 0 ? order : a.name.compare(b.name);
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
