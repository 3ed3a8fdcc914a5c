// A main window for the core's sequences that records every call as one line of text, in
// order, into a log it may share with a recording printer.
#pragma once

#include "main_window_seam.h"

#include <string>
#include <vector>

namespace tolvane::testing {

inline const char* labelName(ValueLabel label) {
    switch (label) {
    case ValueLabel::FileName:
        return "FileNamelbl";
    case ValueLabel::Description:
        return "Descrlbl";
    case ValueLabel::Vendor:
        return "Vendorlbl";
    case ValueLabel::Version:
        return "Versionlbl";
    }
    return "?";
}

struct RecordingMainWindow {
    std::vector<std::string>* log;
    int count = 0;
    int selected = -1;
    std::string caption{}; // every label's, when not empty

    MainWindowSeam seam() {
        MainWindowSeam s{};
        s.context = this;
        s.listCount = [](void* self) {
            auto* w = static_cast<RecordingMainWindow*>(self);
            w->log->push_back("count");
            return w->count;
        };
        s.selectEntry = [](void* self, int index) {
            auto* w = static_cast<RecordingMainWindow*>(self);
            w->selected = index;
            w->log->push_back("select " + std::to_string(index));
        };
        s.showDriverInfo = [](void* self) {
            auto* w = static_cast<RecordingMainWindow*>(self);
            w->log->push_back("ShowDriverInfo " + std::to_string(w->selected));
        };
        s.clearLabel = [](void* self, ValueLabel label) {
            static_cast<RecordingMainWindow*>(self)->log->push_back(std::string("clear ") +
                                                                    labelName(label));
        };
        s.setLabelVisible = [](void* self, ValueLabel label, bool visible) {
            static_cast<RecordingMainWindow*>(self)->log->push_back(
                std::string(visible ? "show " : "hide ") + labelName(label));
        };
        s.processPendingEvents = [](void* self) {
            static_cast<RecordingMainWindow*>(self)->log->push_back("events");
        };
        // A label's caption is "<" and its name and ">", or the caption set for all.
        s.labelText = [](void* self, ValueLabel label, char* buffer, std::size_t capacity) {
            auto* w = static_cast<RecordingMainWindow*>(self);
            const std::string text =
                w->caption.empty() ? std::string("<") + labelName(label) + ">" : w->caption;
            if (capacity > 0) {
                const std::size_t n = text.size() < capacity ? text.size() : capacity - 1;
                text.copy(buffer, n);
                buffer[n] = '\0';
            }
            return text.size();
        };
        return s;
    }
};

} // namespace tolvane::testing
