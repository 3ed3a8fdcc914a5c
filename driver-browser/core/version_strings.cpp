#include "version_strings.h"

#include "ansi_codepage.h"

#include <algorithm>

namespace tolvane {

namespace {

void appendCharacters(void* context, ValueLabel label, const uint8_t* bytes, std::size_t size) {
    auto& captions = *static_cast<VersionCaptions*>(context);
    std::u16string& caption = label == ValueLabel::Vendor    ? captions.vendor
                              : label == ValueLabel::Version ? captions.version
                                                             : captions.description;
    caption.reserve(caption.size() + size);
    for (std::size_t n = 0; n < size; ++n) {
        caption.push_back(ansiToChar(bytes[n]));
    }
}

} // namespace

CaptionSink versionCaptionsSink(VersionCaptions& captions) {
    return CaptionSink{&captions, &appendCharacters};
}

ScanMemory HeapScanMemory::memory() {
    return ScanMemory{this, [](void* context, std::size_t size) -> uint8_t* {
                          auto& blocks = static_cast<HeapScanMemory*>(context)->blocks_;
                          blocks.emplace_back(new uint8_t[size]);
                          return blocks.back().get();
                      }};
}

VersionCaptions extractVersionCaptions(const uint8_t* bytes, std::size_t size,
                                       std::size_t pieceSize) {
    HeapScanMemory memory;
    VersionScan scan(size, memory.memory());
    if (pieceSize >= size) {
        scan.feed(bytes, size);
    }
    // Each piece in a buffer of its own, as a reader's chunks are: the scan must not reach
    // back into an earlier one. A piece of zero bytes only is fed as the hole of a sparse
    // file is.
    for (std::size_t at = 0; pieceSize < size && at < size;) {
        const std::size_t piece = size - at < pieceSize ? size - at : pieceSize;
        const std::vector<uint8_t> buffer(bytes + at, bytes + at + piece);
        const bool zeros =
            std::all_of(buffer.begin(), buffer.end(), [](uint8_t b) { return b == 0; });
        if (!(zeros ? scan.feedZeros(piece) : scan.feed(buffer.data(), piece))) {
            break;
        }
        at += piece;
    }
    VersionCaptions captions;
    scan.finish(versionCaptionsSink(captions));
    return captions;
}

} // namespace tolvane
