#include "version_strings.h"

#include "ansi_codepage.h"
#include "version_scan.h"

namespace tolvane {

namespace {

std::u16string& captionFor(VersionCaptions& captions, ValueLabel label) {
    switch (label) {
    case ValueLabel::Vendor:
        return captions.vendor;
    case ValueLabel::Version:
        return captions.version;
    default:
        return captions.description;
    }
}

void appendCharacters(void* context, ValueLabel label, const uint8_t* bytes, std::size_t size) {
    std::u16string& caption = captionFor(*static_cast<VersionCaptions*>(context), label);
    caption.reserve(caption.size() + size);
    for (std::size_t n = 0; n < size; ++n) {
        caption.push_back(ansiToChar(bytes[n]));
    }
}

} // namespace

CaptionSink versionCaptionsSink(VersionCaptions& captions) {
    return CaptionSink{&captions, &appendCharacters};
}

VersionCaptions extractVersionCaptions(const uint8_t* bytes, std::size_t size) {
    VersionCaptions captions;
    scanVersionStrings(bytes, size, versionCaptionsSink(captions));
    return captions;
}

} // namespace tolvane
