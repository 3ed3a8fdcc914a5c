// Builds driver-file contents byte by byte for the version-string tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tolvane::testing {

// The bytes between the end of a marker and the start of its window.
inline constexpr std::size_t kGapBehindMarker = 16;

class VersionFileBuilder {
public:
    // Appends the marker "StringFileInfo" with its zero byte.
    VersionFileBuilder& marker() {
        text("StringFileInfo");
        return zero();
    }

    // Appends the marker and the 16 bytes up to the start of its window.
    VersionFileBuilder& markerAndGap(uint8_t gapByte = 0x01) {
        marker();
        return fill(kGapBehindMarker, gapByte);
    }

    // Appends 8-bit text without a terminator.
    VersionFileBuilder& text(const std::string& characters) {
        // (A byte at a time: GCC 12 at -O3 takes the range insert into an empty vector for
        // a write past its end, -Wstringop-overflow.)
        for (const char c : characters)
            bytes_.push_back(static_cast<uint8_t>(c));
        return *this;
    }

    // Appends text as 16-bit little-endian characters, the way most version blocks are
    // stored, with a 16-bit terminator.
    VersionFileBuilder& wideText(const std::string& characters) {
        for (const char c : characters) {
            bytes_.push_back(static_cast<uint8_t>(c));
            bytes_.push_back(0);
        }
        return fill(2, 0);
    }

    VersionFileBuilder& zero() { return fill(1, 0); }

    VersionFileBuilder& fill(std::size_t count, uint8_t byte) {
        bytes_.insert(bytes_.end(), count, byte);
        return *this;
    }

    VersionFileBuilder& raw(const std::vector<uint8_t>& more) {
        bytes_.insert(bytes_.end(), more.begin(), more.end());
        return *this;
    }

    // Appends key, NUL, value, NUL.
    VersionFileBuilder& entry(const std::string& key, const std::string& value) {
        text(key).zero().text(value);
        return zero();
    }

    // Writes text over the bytes from offset on, growing the file with zero bytes when the
    // text runs past its end.
    VersionFileBuilder& put(std::size_t offset, const std::string& characters) {
        if (bytes_.size() < offset + characters.size()) {
            bytes_.resize(offset + characters.size(), 0);
        }
        for (std::size_t n = 0; n < characters.size(); ++n) {
            bytes_[offset + n] = static_cast<uint8_t>(characters[n]);
        }
        return *this;
    }

    // Pads with filler bytes up to the given size.
    VersionFileBuilder& padTo(std::size_t size, uint8_t byte = 0x01) {
        if (bytes_.size() < size) {
            fill(size - bytes_.size(), byte);
        }
        return *this;
    }

    std::size_t size() const { return bytes_.size(); }
    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

} // namespace tolvane::testing
