#include "version_scan.h"

#include "marker_search.h"

#include <cstring>

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
// The key searches look at positions 1 .. 200 of the window text, so a key found there
// ends by position 214 at the latest.
constexpr std::size_t kSearchedSize = static_cast<std::size_t>(kWindowSize) + kLongestKey - 1;

// The part of the file behind one marker: bytes[start, start + length). The length is the
// window length of the scan, a 16-bit signed number; it is 0 or negative when the marker
// lies within the last 31 bytes, and the window is then empty.
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

// The window text: the windows of all markers met so far, one after the other. Only its
// first 214 characters, all the key searches look at, are copied; the rest is walked in the
// file through a copy of the marker scan taken at the first marker.
class WindowText {
public:
    // Appends the window found by scan's latest call of next().
    void append(const MarkerScan& scan, const Window& window) {
        if (markers_ == 0) {
            first_ = scan;
            firstWindow_ = window;
        }
        ++markers_;
        if (window.length <= 0) {
            return;
        }
        const auto length = static_cast<std::size_t>(window.length);
        std::size_t copied = kSearchedSize - searched_;
        if (copied > length) {
            copied = length;
        }
        std::memcpy(text_ + searched_, scan.bytes() + window.start, copied);
        searched_ += copied;
        size_ += length;
    }

    std::size_t size() const { return size_; }
    bool settled() const { return searched_ == kSearchedSize; }

    // The first (1-based) position k from 1 to windowLength where the key stands,
    // entirely inside the text; 0 when there is none.
    std::size_t find(const Key& key, int16_t windowLength) const {
        for (int k = 1; k <= windowLength; ++k) {
            const auto at = static_cast<std::size_t>(k);
            if (at + key.size - 1 > searched_) {
                break; // later positions run past the end as well
            }
            if (std::memcmp(text_ + at - 1, key.text, key.size) == 0) {
                return at;
            }
        }
        return 0;
    }

    // Hands the characters from the (1-based) position start up to the next NUL, or up to
    // the end of the text, to sink as runs of the file's bytes.
    void emitValue(std::size_t start, ValueLabel label, const CaptionSink& sink) const {
        std::size_t skip = start - 1;
        std::size_t remaining = size_;
        MarkerScan scan = first_;
        Window window = firstWindow_;
        for (std::size_t met = 1; remaining > 0; ++met) {
            if (met > 1 && (met > markers_ || !scan.next(window))) {
                return;
            }
            if (window.length <= 0) {
                continue;
            }
            std::size_t length = static_cast<std::size_t>(window.length);
            if (length > remaining) {
                length = remaining;
            }
            remaining -= length;
            if (skip >= length) {
                skip -= length;
                continue;
            }
            const uint8_t* bytes = scan.bytes() + window.start + skip;
            length -= skip;
            skip = 0;
            const void* nul = std::memchr(bytes, 0, length);
            const std::size_t run =
                nul ? static_cast<std::size_t>(static_cast<const uint8_t*>(nul) - bytes) : length;
            if (run > 0) {
                sink.append(sink.context, label, bytes, run);
            }
            if (nul) {
                return;
            }
        }
    }

private:
    uint8_t text_[kSearchedSize] = {};
    std::size_t searched_ = 0; // characters copied into text_
    std::size_t size_ = 0;     // characters of the whole window text
    std::size_t markers_ = 0;
    MarkerScan first_{nullptr, 0};
    Window firstWindow_{0, 0};
};

// Where a key's first match lies once the first 214 characters of the window text are
// settled: from then on the answer for any window length is this position, if it lies
// within the window length. Saves repeating the search at every marker of a file full of
// markers.
class SettledSearch {
public:
    explicit SettledSearch(const Key& key) : key_(key) {}

    std::size_t find(const WindowText& text, int16_t windowLength) {
        if (windowLength <= 0) {
            return 0;
        }
        if (!text.settled()) {
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

void emitText(ValueLabel label, const char* text, const CaptionSink& sink) {
    const std::size_t size = std::strlen(text);
    if (size > 0) {
        sink.append(sink.context, label, reinterpret_cast<const uint8_t*>(text), size);
    }
}

// Position of the value behind the key found at `at`, 0 when the key was not found.
std::size_t valueStart(std::size_t at, const Key& key) {
    return at != 0 ? at + key.size + 1 : 0;
}

// Whether the value starting at the (1-based) position start is empty: no key, a NUL right
// there, or the end of the window text.
bool emptyValue(const WindowText& text, std::size_t start) {
    if (start == 0 || start > text.size()) {
        return true;
    }
    struct Probe {
        bool any = false;
    } probe;
    const CaptionSink sink{&probe, [](void* context, ValueLabel, const uint8_t*, std::size_t) {
                               static_cast<Probe*>(context)->any = true;
                           }};
    text.emitValue(start, ValueLabel::Description, sink);
    return !probe.any;
}

} // namespace

void scanVersionStrings(const uint8_t* bytes, std::size_t size, const CaptionSink& sink) {
    MarkerScan scan(bytes, size);
    WindowText text;
    SettledSearch versionSearch(kFileVersion);
    Window window{0, 0};
    int16_t lastLength = 0;
    bool anyMarker = false;

    // Every marker clears the three captions and searches again, so only the searches at
    // the marker where "FileVersion" is found, or else at the last marker, decide them.
    while (scan.next(window)) {
        anyMarker = true;
        lastLength = window.length;
        text.append(scan, window);
        const std::size_t version = versionSearch.find(text, window.length);
        if (version != 0) {
            // The version was found: no default is filled in, even for empty captions.
            const std::size_t description = text.find(kFileDescription, window.length);
            const std::size_t vendor = text.find(kCompanyName, window.length);
            if (description != 0) {
                text.emitValue(valueStart(description, kFileDescription), ValueLabel::Description,
                               sink);
            }
            if (vendor != 0) {
                text.emitValue(valueStart(vendor, kCompanyName), ValueLabel::Vendor, sink);
            }
            text.emitValue(valueStart(version, kFileVersion), ValueLabel::Version, sink);
            return;
        }
    }

    std::size_t description = 0;
    std::size_t vendor = 0;
    if (anyMarker) {
        description = valueStart(text.find(kFileDescription, lastLength), kFileDescription);
        vendor = valueStart(text.find(kCompanyName, lastLength), kCompanyName);
    }
    if (emptyValue(text, description)) {
        emitText(ValueLabel::Description, kNoInformationText, sink);
        emitText(ValueLabel::Vendor, kNotAvailableText, sink);
        emitText(ValueLabel::Version, kNotAvailableText, sink);
        return;
    }
    text.emitValue(description, ValueLabel::Description, sink);
    if (emptyValue(text, vendor)) {
        emitText(ValueLabel::Vendor, kNotAvailableText, sink);
    } else {
        text.emitValue(vendor, ValueLabel::Vendor, sink);
    }
    emitText(ValueLabel::Version, kNotAvailableText, sink);
}

void unreadableFileCaptions(const char* reason, const CaptionSink& sink) {
    emitText(ValueLabel::Description, kUnreadableFileText, sink);
    emitText(ValueLabel::Description, reason, sink);
    emitText(ValueLabel::Vendor, kNotAvailableText, sink);
    emitText(ValueLabel::Version, kNotAvailableText, sink);
}

} // namespace tolvane
