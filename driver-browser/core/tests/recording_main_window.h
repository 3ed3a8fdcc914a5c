// A main window for the core's sequences that records every call as one line of text, in
// order, into a log it may share with a recording printer.
#pragma once

#include "main_window_seam.h"

#include <cstring>
#include <string>
#include <vector>

namespace tolvane::testing {

inline const char* textName(WindowText which) {
    const char* const names[] = {"FileNamelbl", "Descrlbl", "Vendorlbl", "Versionlbl",
                                 "ListPath",    "newpath",  "WinPath"};
    return names[static_cast<int>(which)];
}

struct RecordingMainWindow {
    std::vector<std::string>* log;
    int count = 0;
    int selected = -1;
    std::string caption{}; // every label's, when not empty (else "<" and its name and ">")
    std::string paths[3] = {"C:\\WIN\\SYSTEM", "", ""}; // ListPath, Newpath, WinPath
    std::string windowsDirectory{"C:\\WINDOWS"};        // what the platform reports
    std::string chosen{}; // what Select Path's OK writes; empty: Cancel
    bool memoryRunsOut = false;
    std::string memory{};

    static RecordingMainWindow* self(void* context) {
        return static_cast<RecordingMainWindow*>(context);
    }
    void record(const std::string& line) { log->push_back(line); }
    static std::size_t copyOut(const std::string& text, char* buffer, std::size_t capacity) {
        if (capacity > 0) {
            const std::size_t n = text.size() < capacity ? text.size() : capacity - 1;
            text.copy(buffer, n);
            buffer[n] = '\0';
        }
        return text.size();
    }
    std::string current(WindowText which) const {
        const int n = static_cast<int>(which);
        return n >= 4             ? paths[n - 4]
               : !caption.empty() ? caption
                                  : "<" + std::string(textName(which)) + ">";
    }

    MainWindowSeam seam() {
        MainWindowSeam s{};
        s.context = this;
        s.listCount = [](void* c) {
            self(c)->record("count");
            return self(c)->count;
        };
        s.selectedIndex = [](void* c) { return self(c)->selected; };
        s.selectEntry = [](void* c, int index) {
            self(c)->selected = index;
            self(c)->record("select " + std::to_string(index));
        };
        s.showEntryName = [](void* c, int index) {
            self(c)->record("name " + std::to_string(index));
        };
        s.entryFileName = [](void*, int index, char* buffer, std::size_t capacity) {
            return copyOut("entry" + std::to_string(index) + ".drv", buffer, capacity);
        };
        s.showDriverInfo = [](void* c) {
            self(c)->record("ShowDriverInfo " + std::to_string(self(c)->selected));
        };
        s.text = [](void* c, WindowText which, char* buffer, std::size_t capacity) {
            return copyOut(self(c)->current(which), buffer, capacity);
        };
        s.setText = [](void* c, WindowText which, const char* text) {
            const int n = static_cast<int>(which);
            if (n >= 4) {
                self(c)->paths[n - 4] = text;
            }
            self(c)->record(std::string("set ") + textName(which) + " \"" + text + "\"");
        };
        s.setLabelVisible = [](void* c, ValueLabel label, bool visible) {
            self(c)->record(std::string(visible ? "show " : "hide ") + textName(textOf(label)));
        };
        s.processPendingEvents = [](void* c) { self(c)->record("events"); };
        s.showSplash = [](void* c) { self(c)->record("splash"); };
        s.showSelectPath = [](void* c) {
            self(c)->record("Select Path");
            if (!self(c)->chosen.empty()) {
                self(c)->paths[1] = self(c)->chosen;
            }
        };
        s.windowsDirectory = {this, [](void* c, char* buffer, unsigned size) -> unsigned {
                                  const std::string& dir = self(c)->windowsDirectory;
                                  if (dir.size() >= size) {
                                      return static_cast<unsigned>(dir.size() + 1);
                                  }
                                  std::memcpy(buffer, dir.c_str(), dir.size() + 1);
                                  return static_cast<unsigned>(dir.size());
                              }};
        s.setCurrentDirectory = [](void* c, const char* path) {
            self(c)->record(std::string("chdir ") + path);
        };
        s.memory = [](void* c, std::size_t size) -> char* {
            if (self(c)->memoryRunsOut) {
                return nullptr;
            }
            self(c)->memory.assign(size, '#'); // as memory the core must fill
            return self(c)->memory.data();
        };
        return s;
    }
};

} // namespace tolvane::testing
