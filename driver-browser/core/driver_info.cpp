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
    window.setText(window.context, WindowText::Description, "");
    // The list's path + separator + the entry's file name, as the strings stand.
    const std::size_t dir = window.text(window.context, WindowText::ListPath, nullptr, 0);
    const std::size_t name = window.entryFileName(window.context, selected, nullptr, 0);
    CaptionCollector captions(file);
    auto* path = reinterpret_cast<char*>(file.memory(file.context, dir + name + 2));
    if (path == nullptr) {
        unreadableFileCaptions(fileFailureReason(FileFailure::OutOfMemory), captions.sink());
    } else {
        window.text(window.context, WindowText::ListPath, path, dir + 1);
        path[dir] = kPathSeparator;
        window.entryFileName(window.context, selected, path + dir + 1, name + 1);
        readVersionStrings(file, path, captions.sink());
    }
    const ValueLabel shown[] = {ValueLabel::Description, ValueLabel::Vendor, ValueLabel::Version};
    for (const ValueLabel label : shown) {
        window.setText(window.context, textOf(label), captions.text(label));
    }
}

} // namespace tolvane
