// The main window as the toolkit-free rules see it: the driver list, the four value labels
// and the window's event loop. Each front-end fills this table of functions over its own
// controls; context is handed back to every function.
#pragma once

#include "value_labels.h"

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
};

} // namespace tolvane
