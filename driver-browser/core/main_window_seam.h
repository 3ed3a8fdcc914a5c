// The main window as the toolkit-free rules see it: the driver list, the four value labels
// and the window's event loop. Each front-end fills this table of functions over its own
// controls; context is handed back to every function.
#pragma once

#include "value_labels.h"

#include <cstddef>

namespace tolvane {

struct MainWindowSeam {
    void* context;
    // Number of entries of the driver list.
    int (*listCount)(void* context);
    // Sets the list's selected index; when the selection changes, the list's selection
    // notification shows that entry's details (ShowDriverInfo).
    void (*selectEntry)(void* context, int index);
    // ShowDriverInfo: shows name, description, vendor and version of the selected entry.
    void (*showDriverInfo)(void* context);
    // Empties the caption of one value label.
    void (*clearLabel)(void* context, ValueLabel label);
    // Shows or hides one value label.
    void (*setLabelVisible)(void* context, ValueLabel label, bool visible);
    // Lets the pending window events run once.
    void (*processPendingEvents)(void* context);
    // Copies a value label's caption as the window holds it (the code page in tolvane.exe,
    // UTF-8 in the Qt program) into buffer: at most capacity - 1 bytes and a zero byte
    // (nothing when capacity is 0). Returns the caption's full length.
    std::size_t (*labelText)(void* context, ValueLabel label, char* buffer, std::size_t capacity);

    // What ShowDriverInfo (driver_info.h) reads and writes:
    // the selected entry of the list, -1 when none;
    int (*selectedIndex)(void* context);
    // shows the name of entry index in FileNamelbl, as the list shows it;
    void (*showEntryName)(void* context, int index);
    // the list's path and the file name of entry index, as the bytes that open the file,
    // both valid until ShowDriverInfo returns;
    const char* (*listPath)(void* context);
    const char* (*entryFileName)(void* context, int index);
    // sets a value label's caption to text, 8-bit text of the system's code page.
    void (*setLabel)(void* context, ValueLabel label, const char* text);
};

} // namespace tolvane
