#include "driver_info.h"

#include "path_text.h"

namespace tolvane {

CaptionSink CaptionCollector::sink() {
    return CaptionSink{this, &CaptionCollector::append};
}

CaptionCollector::Caption& CaptionCollector::caption(ValueLabel label) {
    return captions_[label == ValueLabel::Description ? 0 : label == ValueLabel::Vendor ? 1 : 2];
}

const char* CaptionCollector::text(ValueLabel label) const {
    const Caption& c = const_cast<CaptionCollector*>(this)->caption(label);
    return c.text != nullptr ? c.text : "";
}

void CaptionCollector::append(void* context, ValueLabel label, const uint8_t* bytes,
                              std::size_t size) {
    auto* self = static_cast<CaptionCollector*>(context);
    Caption& c = self->caption(label);
    if (c.cut) {
        return;
    }
    if (c.length + size + 1 > c.capacity) {
        std::size_t capacity = c.capacity == 0 ? 256 : c.capacity;
        while (capacity < c.length + size + 1) {
            capacity *= 2;
        }
        auto* grown =
            reinterpret_cast<char*>(self->memory_.memory(self->memory_.context, capacity));
        if (grown == nullptr) {
            c.cut = true;
            return;
        }
        for (std::size_t n = 0; n < c.length; ++n) {
            grown[n] = c.text[n];
        }
        c.text = grown;
        c.capacity = capacity;
    }
    for (std::size_t n = 0; n < size; ++n) {
        c.text[c.length + n] = static_cast<char>(bytes[n]);
    }
    c.length += size;
    c.text[c.length] = '\0';
}

void showDriverInfo(const MainWindowSeam& window, const FileSeam& file) {
    const int selected = window.selectedIndex(window.context);
    if (selected < 0) {
        return;
    }
    window.showEntryName(window.context, selected);
    window.clearLabel(window.context, ValueLabel::Description);
    const char* dir = window.listPath(window.context);
    const char* name = window.entryFileName(window.context, selected);
    CaptionCollector captions(file);
    const std::size_t length = joinPath(dir, kPathSeparator, name, nullptr, 0);
    auto* path = reinterpret_cast<char*>(file.memory(file.context, length + 1));
    if (path == nullptr) {
        unreadableFileCaptions(fileFailureReason(FileFailure::OutOfMemory), captions.sink());
    } else {
        joinPath(dir, kPathSeparator, name, path, length + 1);
        readVersionStrings(file, path, captions.sink());
    }
    const ValueLabel shown[] = {ValueLabel::Description, ValueLabel::Vendor, ValueLabel::Version};
    for (const ValueLabel label : shown) {
        window.setLabel(window.context, label, captions.text(label));
    }
}

} // namespace tolvane
