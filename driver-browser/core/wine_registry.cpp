#include "wine_registry.h"

#include "ansi_codepage.h"

#include <cstdint>

namespace tolvane {

namespace {

constexpr uint32_t kStringType = 1;       // REG_SZ
constexpr uint32_t kExpandStringType = 2; // REG_EXPAND_SZ

// One line of the file, taken apart from left to right. Every read checks the line's end.
class LineReader {
public:
    explicit LineReader(std::string_view line) : line_(line) {}

    bool atEnd() const { return at_ >= line_.size(); }

    bool take(char expected) {
        if (atEnd() || line_[at_] != expected) {
            return false;
        }
        ++at_;
        return true;
    }

    bool take(std::string_view expected) {
        if (line_.substr(at_, expected.size()) != expected) {
            return false;
        }
        at_ += expected.size();
        return true;
    }

    // Quoted text up to the first unescaped `close`, which is passed; nothing when the
    // line ends first.
    std::optional<std::u16string> text(char close) {
        std::u16string units;
        while (!atEnd()) {
            const char c = line_[at_];
            if (c == close) {
                ++at_;
                return units;
            }
            if (c != '\\') {
                appendCharacter(units);
                continue;
            }
            ++at_;
            if (atEnd()) {
                break;
            }
            const char escaped = line_[at_];
            if (const char16_t control = controlEscape(escaped)) {
                ++at_;
                units.push_back(control);
            } else if (escaped == 'x' && isHexDigit(at_ + 1)) {
                ++at_;
                units.push_back(static_cast<char16_t>(number(16, 4)));
            } else if (escaped >= '0' && escaped <= '7') {
                units.push_back(static_cast<char16_t>(number(8, 3)));
            } else {
                appendCharacter(units); // \\, \" and any other character stand for themselves
            }
        }
        return std::nullopt;
    }

    // A number of one to eight hex digits.
    std::optional<uint32_t> hexNumber() {
        if (!isHexDigit(at_)) {
            return std::nullopt;
        }
        return number(16, 8);
    }

private:
    static char16_t controlEscape(char c) {
        switch (c) {
        case 'a':
            return u'\a';
        case 'b':
            return u'\b';
        case 'e':
            return u'\x1B';
        case 'f':
            return u'\f';
        case 'n':
            return u'\n';
        case 'r':
            return u'\r';
        case 't':
            return u'\t';
        case 'v':
            return u'\v';
        default:
            return 0;
        }
    }

    static int digitValue(char c) {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if ((c | 0x20) >= 'a' && (c | 0x20) <= 'f') {
            return (c | 0x20) - 'a' + 10;
        }
        return 99;
    }

    bool isHexDigit(std::size_t at) const {
        return at < line_.size() && digitValue(line_[at]) < 16;
    }

    // Up to `most` digits of the base, at least one of which the caller has seen.
    uint32_t number(int base, int most) {
        uint32_t value = 0;
        for (int n = 0; n < most && !atEnd() && digitValue(line_[at_]) < base; ++n) {
            value = value * static_cast<uint32_t>(base) +
                    static_cast<uint32_t>(digitValue(line_[at_++]));
        }
        return value;
    }

    // One UTF-8 character as its one or two UTF-16 code units; a byte that begins no
    // well-formed sequence becomes U+FFFD.
    void appendCharacter(std::u16string& units) {
        const auto lead = static_cast<unsigned char>(line_[at_]);
        const int length = lead < 0x80   ? 1
                           : lead < 0xC2 ? 0
                           : lead < 0xE0 ? 2
                           : lead < 0xF0 ? 3
                           : lead < 0xF5 ? 4
                                         : 0;
        uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        bool good = length > 0 && at_ + static_cast<std::size_t>(length) <= line_.size();
        for (int n = 1; good && n < length; ++n) {
            const auto next = static_cast<unsigned char>(line_[at_ + static_cast<std::size_t>(n)]);
            good = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        good = good && !(length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) &&
               !(length == 4 && (code < 0x10000 || code > 0x10FFFF));
        if (!good) {
            ++at_;
            units.push_back(u'\uFFFD');
            return;
        }
        at_ += static_cast<std::size_t>(length);
        if (code >= 0x10000) {
            units.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(code));
        }
    }

    std::string_view line_;
    std::size_t at_ = 0;
};

// The name from the file against the caller's (Windows-1252), ignoring ASCII case.
bool sameName(const std::u16string& stored, std::string_view wanted) {
    if (stored.size() != wanted.size()) {
        return false;
    }
    const auto fold = [](char16_t c) -> char16_t { return c >= u'A' && c <= u'Z' ? c | 0x20 : c; };
    for (std::size_t n = 0; n < stored.size(); ++n) {
        if (fold(stored[n]) != fold(ansiToChar(static_cast<uint8_t>(wanted[n])))) {
            return false;
        }
    }
    return true;
}

// The data after "name"= when it is well formed: `text` is the string of a REG_SZ or
// REG_EXPAND_SZ value and nothing for any other type.
bool readValue(LineReader& line, std::optional<std::u16string>& text) {
    uint32_t type = kStringType;
    if (line.take("str(")) {
        const std::optional<uint32_t> number = line.hexNumber();
        if (!number || !line.take("):")) {
            return false;
        }
        type = *number;
    } else if (line.take("dword:") || line.take("hex:") || line.take("hex(")) {
        text.reset();
        return true;
    }
    if (!line.take('"')) {
        return false;
    }
    std::optional<std::u16string> units = line.text('"');
    if (!units || !line.atEnd()) {
        return false;
    }
    if (type == kStringType || type == kExpandStringType) {
        text = std::move(units);
    } else {
        text.reset();
    }
    return true;
}

} // namespace

std::optional<std::string> wineRegistryString(std::string_view file, std::string_view key,
                                              std::string_view name) {
    std::optional<std::u16string> found;
    bool inKey = false;
    for (std::size_t start = 0; start < file.size();) {
        std::size_t end = file.find('\n', start);
        end = end == std::string_view::npos ? file.size() : end;
        std::string_view text = file.substr(start, end - start);
        start = end + 1;
        if (!text.empty() && text.back() == '\r') {
            text.remove_suffix(1);
        }
        LineReader line(text);
        if (line.take('[')) {
            // A new key; the values under a header that is not well formed are no one's.
            const std::optional<std::u16string> path = line.text(']');
            inKey = path && sameName(*path, key);
            continue;
        }
        if (!inKey) {
            continue;
        }
        std::optional<std::u16string> valueName;
        if (line.take('@')) {
            valueName.emplace();
        } else if (line.take('"')) {
            valueName = line.text('"');
        }
        std::optional<std::u16string> value;
        if (valueName && sameName(*valueName, name) && line.take('=') && readValue(line, value)) {
            found = std::move(value);
        }
    }
    if (!found) {
        return std::nullopt;
    }
    std::string ansi;
    ansi.reserve(found->size());
    for (const char16_t unit : *found) {
        ansi.push_back(static_cast<char>(charToAnsi(unit)));
    }
    return ansi;
}

} // namespace tolvane
