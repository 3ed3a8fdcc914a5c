#include "version_strings.h"

#include "ansi_codepage.h"
#include "marker_search.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

namespace tolvane {

namespace {

// Positions the scan skips behind a marker's first byte; the window starts right after
// them, 31 bytes behind the marker's first byte.
constexpr std::size_t kSkipBehindMarker = 30;
// Bytes taken into the window text at each marker (fewer at the end of the file).
constexpr int16_t kWindowSize = 200;

// A key; its value begins one character (the key's terminating NUL) behind its end.
struct Key {
    const char* text;
    std::size_t size;
};
constexpr Key kCompanyName{"CompanyName", 11};
constexpr Key kFileDescription{"FileDescription", 15};
constexpr Key kFileVersion{"FileVersion", 11};
constexpr std::size_t kLongestKey = 15;

// The part of the file behind one marker: bytes[start, start + length). The length is
// the window length of the scan, a 16-bit signed number; it is 0 or negative when the
// marker lies within the last 31 bytes, and the window is then empty.
struct Window {
    std::size_t start;
    int16_t length;
};

// Meets the markers of a file in the order of the scan: the candidate positions run
// forward through the file, a candidate must have all of its bytes inside the file, and
// after a match the scan goes on 31 bytes behind the marker's first byte, so markers
// starting within the skipped bytes are never seen. Copyable: a copy goes on from where
// the original stood.
class MarkerScan {
public:
    MarkerScan(const uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    // The window behind the next marker; false when there is none.
    bool next(Window& window) {
        if (size_ < kMarkerSize || next_ > size_ - kMarkerSize) {
            return false;
        }
        const uint8_t* hit = findMarker(bytes_ + next_, bytes_ + size_);
        if (hit == bytes_ + size_) {
            next_ = size_;
            return false;
        }
        // With the marker's first byte at (1-based) position i, the window holds the
        // positions i + 31 ... i + 30 + length, that is the indices start ... from 0.
        const std::size_t start = static_cast<std::size_t>(hit - bytes_) + 1 + kSkipBehindMarker;
        int16_t length = kWindowSize;
        if (start + static_cast<std::size_t>(kWindowSize) > size_) {
            // At most 199 and at least -29: fits the 16-bit window length.
            length =
                static_cast<int16_t>(static_cast<long long>(size_) - static_cast<long long>(start));
        }
        window = Window{start, length};
        next_ = start;
        return true;
    }

    const uint8_t* bytes() const { return bytes_; }

private:
    const uint8_t* bytes_;
    std::size_t size_;
    std::size_t next_ = 0; // index of the next candidate
};

// The window text: the windows of all markers met so far, one after the other. Only
// its beginning is kept in memory; the key searches never look past position 200 + 14,
// and a value that runs on past the kept part is read from the file through a copy of
// the marker scan, so a file full of markers costs no memory.
class WindowText {
public:
    // Appends the window found by scan's latest call of next().
    void append(const MarkerScan& scan, const Window& window) {
        if (window.length <= 0) {
            return;
        }
        const auto length = static_cast<std::size_t>(window.length);
        const uint8_t* bytes = scan.bytes() + window.start;
        const std::size_t kept = std::min(length, kKeptSize - kept_.size());
        if (kept < length && !overflow_) {
            overflow_ = true;
            overflowScan_ = scan;
            overflowWindow_ = Window{window.start + kept, static_cast<int16_t>(length - kept)};
        }
        kept_.insert(kept_.end(), bytes, bytes + kept);
        size_ += length;
    }

    std::size_t size() const { return size_; }

    // The first (1-based) position k from 1 to windowLength where the key stands,
    // entirely inside the text; 0 when there is none.
    std::size_t find(const Key& key, int16_t windowLength) const {
        for (long k = 1; k <= windowLength; ++k) {
            const auto at = static_cast<std::size_t>(k);
            if (at + key.size - 1 > size_) {
                break; // later positions run past the end as well
            }
            if (std::memcmp(kept_.data() + at - 1, key.text, key.size) == 0) {
                return at;
            }
        }
        return 0;
    }

    // The characters from the (1-based) position start up to the next NUL, or up to the
    // end of the text when no NUL follows.
    std::u16string valueFrom(std::size_t start) const {
        std::vector<uint8_t> value;
        std::size_t position = start;
        for (; position <= kept_.size() && position <= size_; ++position) {
            const uint8_t byte = kept_[position - 1];
            if (byte == 0) {
                return ansiToString(value.data(), value.size());
            }
            value.push_back(byte);
        }
        if (position <= size_ && overflow_) {
            collectBeyondKept(position - kept_.size() - 1, value);
        }
        return ansiToString(value.data(), value.size());
    }

private:
    // Continues a value past the kept part: skips `skip` characters of the rest, then
    // collects up to a NUL or the end of the text.
    void collectBeyondKept(std::size_t skip, std::vector<uint8_t>& value) const {
        std::size_t remaining = size_ - kept_.size();
        MarkerScan scan = overflowScan_;
        Window window = overflowWindow_;
        do {
            if (window.length <= 0) {
                continue;
            }
            std::size_t length = std::min(static_cast<std::size_t>(window.length), remaining);
            remaining -= length;
            const uint8_t* bytes = scan.bytes() + window.start;
            if (skip >= length) {
                skip -= length;
                continue;
            }
            bytes += skip;
            length -= skip;
            skip = 0;
            const void* nul = std::memchr(bytes, 0, length);
            if (nul) {
                value.insert(value.end(), bytes, static_cast<const uint8_t*>(nul));
                return;
            }
            value.insert(value.end(), bytes, bytes + length);
        } while (remaining > 0 && scan.next(window));
    }

    static constexpr std::size_t kKeptSize = 4096;
    std::vector<uint8_t> kept_;
    std::size_t size_ = 0;
    bool overflow_ = false;
    MarkerScan overflowScan_{nullptr, 0};
    Window overflowWindow_{0, 0};
};

// Where a key's first match lies once the first 214 characters of the window text are
// settled: from then on the answer for any window length is this position, if it lies
// within the window length. Saves repeating the search at every marker of a file full
// of markers.
class SettledSearch {
public:
    explicit SettledSearch(const Key& key) : key_(key) {}

    std::size_t find(const WindowText& text, int16_t windowLength) {
        if (windowLength <= 0) {
            return 0;
        }
        if (text.size() < static_cast<std::size_t>(kWindowSize) + kLongestKey - 1) {
            return text.find(key_, windowLength);
        }
        if (!settled_) {
            settled_ = true;
            first_ = text.find(key_, kWindowSize);
        }
        return first_ != 0 && first_ <= static_cast<std::size_t>(windowLength) ? first_ : 0;
    }

private:
    Key key_;
    bool settled_ = false;
    std::size_t first_ = 0;
};

// The value behind the first match of key within the window length; empty when the key
// is not found.
std::u16string valueOf(const WindowText& text, const Key& key, int16_t windowLength) {
    const std::size_t at = text.find(key, windowLength);
    return at != 0 ? text.valueFrom(at + key.size + 1) : std::u16string();
}

} // namespace

VersionCaptions extractVersionCaptions(const uint8_t* bytes, std::size_t size) {
    VersionCaptions captions;
    MarkerScan scan(bytes, size);
    WindowText text;
    SettledSearch versionSearch(kFileVersion);
    Window window{0, 0};
    bool anyMarker = false;
    int16_t lastLength = 0;

    // Every marker clears the three captions and searches again, so only the searches at
    // the marker where "FileVersion" is found, or else at the last marker, decide them.
    while (scan.next(window)) {
        anyMarker = true;
        lastLength = window.length;
        text.append(scan, window);
        if (versionSearch.find(text, window.length) != 0) {
            captions.vendor = valueOf(text, kCompanyName, window.length);
            captions.description = valueOf(text, kFileDescription, window.length);
            captions.version = valueOf(text, kFileVersion, window.length);
            // The version was found: no default is filled in, even for empty captions.
            return captions;
        }
    }

    if (anyMarker) {
        captions.vendor = valueOf(text, kCompanyName, lastLength);
        captions.description = valueOf(text, kFileDescription, lastLength);
    }
    if (captions.description.empty()) {
        captions.description = kNoInformation;
        captions.vendor = kNotAvailable;
        captions.version = kNotAvailable;
    }
    if (captions.vendor.empty()) {
        captions.vendor = kNotAvailable;
    }
    if (captions.version.empty()) {
        captions.version = kNotAvailable;
    }
    return captions;
}

} // namespace tolvane
