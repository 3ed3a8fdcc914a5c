#include "version_scan.h"

#include "marker_search.h"

#include <algorithm>
#include <cstring>

namespace tolvane {

namespace {

// Positions the scan skips behind a marker's first byte; the window starts right after
// them, 31 bytes behind the marker's first byte.
constexpr uint64_t kSkipBehindMarker = 30;
constexpr uint64_t kWindowStart = kSkipBehindMarker + 1;
// Bytes taken into the window text at each marker (fewer at the end of the file).
constexpr int16_t kWindowSize = 200;

// A key; its value begins one character (the key's terminating NUL) behind its end.
struct Key {
    const char* text;
    std::size_t size;
};
enum : int { kCompanyName, kFileDescription, kFileVersion };
constexpr Key kKeys[3] = {{"CompanyName", 11}, {"FileDescription", 15}, {"FileVersion", 11}};
constexpr std::size_t kLongestKey = 15;
// The key searches look at positions 1 .. 200 of the window text, so a key found there
// ends by position 214 at the latest.
constexpr std::size_t kSearchedSize = static_cast<std::size_t>(kWindowSize) + kLongestKey - 1;

// Position of the value behind the key found at `at`, 0 when the key was not found.
std::size_t valueStart(std::size_t at, int key) {
    return at != 0 ? at + kKeys[key].size + 1 : 0;
}

// The first (1-based) position k from 1 to windowLength where key stands entirely inside
// text[0, searched); 0 when there is none.
std::size_t search(const uint8_t* text, std::size_t searched, int key, int16_t windowLength) {
    const Key& k = kKeys[key];
    for (int at = 1; at <= windowLength; ++at) {
        const auto position = static_cast<std::size_t>(at);
        if (position + k.size - 1 > searched) {
            break; // later positions run past the end as well
        }
        if (std::memcmp(text + position - 1, k.text, k.size) == 0) {
            return position;
        }
    }
    return 0;
}

void emitText(ValueLabel label, const char* text, const CaptionSink& sink) {
    const std::size_t size = std::strlen(text);
    if (size > 0) {
        sink.append(sink.context, label, reinterpret_cast<const uint8_t*>(text), size);
    }
}

} // namespace

VersionScan::VersionScan(uint64_t fileSize, const ScanMemory& memory)
    : size_(fileSize), memory_(memory) {
    static_assert(kCarried == kMarkerSize - 1, "a marker across two pieces");
    static_assert(kHeld >= kSearchedSize, "the searched text is held");
    // A window is complete 31 + 200 bytes behind its marker's first byte; the markers of
    // the windows still incomplete when the next marker is met are at least 31 bytes apart
    // and lie less than 231 - 15 bytes before it.
    static_assert((kWindowStart + kWindowSize - kMarkerSize) / kWindowStart + 1 < kMostPending,
                  "room for every incomplete window");
}

bool VersionScan::feed(const uint8_t* bytes, std::size_t size) {
    if (decided_) {
        return false;
    }
    if (size > size_ - fed_) {
        size = static_cast<std::size_t>(size_ - fed_);
    }
    if (size == 0) {
        return true;
    }
    piece_ = bytes;
    pieceAt_ = fed_;
    filled_ = fed_;
    // Markers that begin in the bytes carried from the last piece and end in this one (one
    // that starts in this piece is found below), then those inside this piece; one across its
    // end is found with the next piece.
    if (carried_ > 0) {
        uint8_t joined[2 * kCarried];
        std::memcpy(joined, carry_, carried_);
        const std::size_t head = size < kCarried ? size : kCarried;
        std::memcpy(joined + carried_, bytes, head);
        if (!markersIn(joined, carried_ + head, fed_ - carried_, carried_)) {
            return false;
        }
    }
    if (!markersIn(bytes, size, fed_, size)) {
        return false;
    }
    advance(fed_ + size);
    if (decided_) {
        return false;
    }
    // Carry the last bytes fed.
    if (size >= kCarried) {
        std::memcpy(carry_, bytes + size - kCarried, kCarried);
        carried_ = kCarried;
    } else {
        const std::size_t old = carried_ < kCarried - size ? carried_ : kCarried - size;
        std::memmove(carry_, carry_ + carried_ - old, old);
        std::memcpy(carry_ + old, bytes, size);
        carried_ = old + size;
    }
    fed_ += size;
    return true;
}

bool VersionScan::feedZeros(uint64_t size) {
    static const uint8_t kZeros[256] = {};
    if (decided_) {
        return false;
    }
    if (size > size_ - fed_) {
        size = size_ - fed_;
    }
    // Fed as bytes while a window waits for them or the carried bytes are not all zeros.
    for (uint64_t zeros = 0; size > 0 && (pendingCount_ > 0 || zeros < kCarried);) {
        const std::size_t piece =
            size < sizeof kZeros ? static_cast<std::size_t>(size) : sizeof kZeros;
        if (!feed(kZeros, piece)) {
            return false;
        }
        size -= piece;
        zeros += piece;
    }
    fed_ += size;
    return true;
}

// The markers that start in data[0, startsBefore) of data[0, size), which begins at the file
// position base, each handed to markerAt. False once the captions are decided.
bool VersionScan::markersIn(const uint8_t* data, std::size_t size, uint64_t base,
                            std::size_t startsBefore) {
    for (;;) {
        const uint64_t from = next_ > base ? next_ - base : 0;
        if (from >= startsBefore) {
            return true;
        }
        const auto at = static_cast<std::size_t>(findMarker(data + from, data + size) - data);
        if (at >= startsBefore) {
            return true; // none, or one that starts later
        }
        if (!markerAt(base + at)) {
            return false;
        }
    }
}

// A marker whose first byte is at `at`: the windows before it are handled as far as they
// are complete, then its own window waits for its bytes. False once the captions are
// decided.
bool VersionScan::markerAt(uint64_t at) {
    advance(at + kMarkerSize);
    if (decided_) {
        return false;
    }
    Window window{at + kWindowStart, textEnd_, kWindowSize};
    if (window.start + static_cast<uint64_t>(kWindowSize) > size_) {
        // At most 199, and at least -16 since the marker lies inside the file.
        window.length = static_cast<int16_t>(static_cast<int64_t>(size_ - at) -
                                             static_cast<int64_t>(kWindowStart));
    }
    if (window.length > 0) {
        textEnd_ += static_cast<uint64_t>(window.length);
        if (keep_ == UINT64_MAX && textEnd_ > capacity_) {
            makeRoom(textEnd_);
        }
    }
    pending_[pendingCount_++] = window;
    next_ = window.start;
    return true;
}

// Copies the piece's bytes up to the file position `to` into the pending windows, then
// handles, in the order of their markers, the windows that are complete.
void VersionScan::advance(uint64_t to) {
    const uint64_t wanted = std::min<uint64_t>(keep_, capacity_);
    for (std::size_t n = 0; n < pendingCount_; ++n) {
        const Window& window = pending_[n];
        if (window.length <= 0) {
            continue;
        }
        const uint64_t end = window.start + static_cast<uint64_t>(window.length);
        const uint64_t from = window.start > filled_ ? window.start : filled_;
        const uint64_t until = std::min<uint64_t>(end, to);
        const uint64_t at = window.textAt + (from - window.start);
        if (from >= until || at >= wanted) {
            continue;
        }
        std::memcpy(text_ + at, piece_ + (from - pieceAt_),
                    static_cast<std::size_t>(std::min<uint64_t>(until - from, wanted - at)));
    }
    filled_ = to;
    std::size_t done = 0;
    while (done < pendingCount_ && !decided_) {
        const Window& window = pending_[done];
        if (window.length > 0 && window.start + static_cast<uint64_t>(window.length) > to) {
            break;
        }
        handle(window);
        ++done;
    }
    if (done > 0) {
        pendingCount_ -= done;
        std::memmove(pending_, pending_ + done, pendingCount_ * sizeof(Window));
    }
}

// The scan's steps at one marker, its window being complete: the window joins the window
// text, and the three keys are searched again; FileVersion found decides the captions.
void VersionScan::handle(const Window& window) {
    anyMarker_ = true;
    lastLength_ = window.length;
    if (window.length > 0) {
        textSize_ = window.textAt + static_cast<uint64_t>(window.length);
    }
    if (!settled_ && textSize_ >= kSearchedSize) {
        settle();
    }
    const std::size_t version = position(kFileVersion, window.length);
    if (version != 0) {
        // No default is filled in then, even for empty captions.
        decided_ = true;
        decidedAt_[kCompanyName] = position(kCompanyName, window.length);
        decidedAt_[kFileDescription] = position(kFileDescription, window.length);
        decidedAt_[kFileVersion] = version;
        return;
    }
    if (settled_ && keep_ == UINT64_MAX) {
        keepOnlyTheValues();
    }
}

// The first 214 characters of the window text are complete: from now on each key's first
// position is fixed, and a search at any window length finds it if it lies within that
// length.
void VersionScan::settle() {
    settled_ = true;
    for (int key = 0; key < 3; ++key) {
        settledAt_[key] = search(text_, kSearchedSize, key, kWindowSize);
    }
}

// With the positions settled, the window text is wanted only up to the zero byte that ends
// the last value behind a key; once it is there, nothing more is kept.
void VersionScan::keepOnlyTheValues() {
    std::size_t last = 0;
    for (int key = 0; key < 3; ++key) {
        const std::size_t start = valueStart(settledAt_[key], key);
        last = start > last ? start : last;
    }
    if (last == 0) {
        keep_ = kSearchedSize;
        return;
    }
    uint64_t from = zeroFrom_ > last - 1 ? zeroFrom_ : last - 1;
    const uint64_t end = std::min<uint64_t>(textSize_, capacity_);
    if (from < end) {
        const void* zero = std::memchr(text_ + from, 0, static_cast<std::size_t>(end - from));
        if (zero != nullptr) {
            keep_ = static_cast<uint64_t>(static_cast<const uint8_t*>(zero) - text_) + 1;
            return;
        }
        from = end;
    }
    zeroFrom_ = from;
}

// Room for size bytes of window text, twice as much as before at least. Without memory
// the text stays as it is and is cut there.
void VersionScan::makeRoom(uint64_t size) {
    uint64_t grown = static_cast<uint64_t>(capacity_) * 2;
    grown = grown > size ? grown : size;
    uint8_t* room = nullptr;
    if (grown <= static_cast<std::size_t>(-1) && memory_.take != nullptr) {
        room = memory_.take(memory_.context, static_cast<std::size_t>(grown));
    }
    if (room == nullptr) {
        keep_ = capacity_;
        return;
    }
    std::memcpy(room, text_, capacity_);
    text_ = room;
    capacity_ = static_cast<std::size_t>(grown);
}

// The (1-based) position of key in the window text at a marker whose window has
// windowLength bytes; 0 when not found.
std::size_t VersionScan::position(int key, int16_t windowLength) const {
    if (windowLength <= 0) {
        return 0;
    }
    if (settled_) {
        const std::size_t at = settledAt_[key];
        return at != 0 && at <= static_cast<std::size_t>(windowLength) ? at : 0;
    }
    return search(text_, static_cast<std::size_t>(textSize_), key, windowLength);
}

// The window text's bytes held, up to its length at the last marker handled.
uint64_t VersionScan::kept() const {
    return std::min<uint64_t>(textSize_, std::min<uint64_t>(keep_, capacity_));
}

// Whether the value starting at the (1-based) position start is empty: no key, a NUL right
// there, or the end of the window text.
bool VersionScan::emptyValue(std::size_t start) const {
    return start == 0 || start > kept() || text_[start - 1] == 0;
}

// Hands the characters from the (1-based) position start up to the next NUL, or up to the
// end of the window text, to sink.
void VersionScan::emitValue(std::size_t start, ValueLabel label, const CaptionSink& sink) const {
    if (emptyValue(start)) {
        return;
    }
    const uint8_t* bytes = text_ + start - 1;
    const auto size = static_cast<std::size_t>(kept() - (start - 1));
    const void* zero = std::memchr(bytes, 0, size);
    sink.append(sink.context, label, bytes,
                zero ? static_cast<std::size_t>(static_cast<const uint8_t*>(zero) - bytes) : size);
}

void VersionScan::finish(const CaptionSink& sink) {
    if (decided_) {
        emitValue(valueStart(decidedAt_[kFileDescription], kFileDescription),
                  ValueLabel::Description, sink);
        emitValue(valueStart(decidedAt_[kCompanyName], kCompanyName), ValueLabel::Vendor, sink);
        emitValue(valueStart(decidedAt_[kFileVersion], kFileVersion), ValueLabel::Version, sink);
        return;
    }
    // Every marker cleared the captions and searched again, so the searches at the last
    // marker decide them, and then the defaults.
    std::size_t description = 0;
    std::size_t vendor = 0;
    if (anyMarker_) {
        description = valueStart(position(kFileDescription, lastLength_), kFileDescription);
        vendor = valueStart(position(kCompanyName, lastLength_), kCompanyName);
    }
    if (emptyValue(description)) {
        emitText(ValueLabel::Description, kNoInformationText, sink);
        emitText(ValueLabel::Vendor, kNotAvailableText, sink);
        emitText(ValueLabel::Version, kNotAvailableText, sink);
        return;
    }
    emitValue(description, ValueLabel::Description, sink);
    if (emptyValue(vendor)) {
        emitText(ValueLabel::Vendor, kNotAvailableText, sink);
    } else {
        emitValue(vendor, ValueLabel::Vendor, sink);
    }
    emitText(ValueLabel::Version, kNotAvailableText, sink);
}

void scanVersionStrings(const uint8_t* bytes, std::size_t size, const ScanMemory& memory,
                        const CaptionSink& sink) {
    VersionScan scan(size, memory);
    scan.feed(bytes, size);
    scan.finish(sink);
}

void unreadableFileCaptions(const char* reason, const CaptionSink& sink) {
    emitText(ValueLabel::Description, kUnreadableFileText, sink);
    emitText(ValueLabel::Description, reason, sink);
    emitText(ValueLabel::Vendor, kNotAvailableText, sink);
    emitText(ValueLabel::Version, kNotAvailableText, sink);
}

} // namespace tolvane
