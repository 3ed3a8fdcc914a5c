// ShowDriverInfo: the selected driver's name, description, vendor and version in the four
// value labels.
#pragma once

#include "file_reading.h"
#include "main_window_seam.h"

namespace tolvane {

// The captions of one file, collected from the scan's runs into memory from a FileSeam:
// each caption zero-terminated, growing as runs arrive. When memory runs out a caption keeps
// what it holds and takes no more, so it is always the start of the caption.
class CaptionCollector {
public:
    explicit CaptionCollector(const FileSeam& memory) : memory_(memory) {}
    CaptionSink sink();
    // The caption of Description, Vendor or Version ("" when it got no run).
    const char* text(ValueLabel label) const;

private:
    struct Caption {
        char* text;
        std::size_t length;
        std::size_t capacity;
        bool cut; // memory ran out: no more runs
    };
    static void append(void* context, ValueLabel label, const uint8_t* bytes, std::size_t size);
    Caption& caption(ValueLabel label);

    const FileSeam& memory_;
    Caption captions_[3] = {};
};

// With an entry selected: FileNamelbl shows its name and Descrlbl is emptied; the file at
// the list's path joined with the entry's file name (as the strings stand) is read; then
// Descrlbl, Vendorlbl and Versionlbl get its captions. With nothing selected the labels
// stay as they are.
void showDriverInfo(const MainWindowSeam& window, const FileSeam& file);

} // namespace tolvane
