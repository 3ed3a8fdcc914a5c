// Form1, the main window: the driver list of the Windows system directory, the details of
// the selected driver, the menus and the shortcut picture. A modeless dialog: the program's
// message loop runs while it is open.
#pragma once

#include <windows.h>

#include "control_fonts.h"
#include "gdi_printer.h"

#include "core/main_window_seam.h"

namespace tolvane {

struct Form1Options {
    bool showSplash;            // load shows Brisklow first (true in the program)
    const LinePrinter* printer; // null: the default printer through GDI
};

// Creates the main window from its definition, hidden; fonts holds its fonts and must
// outlive it.
HWND createForm1(const Form1Options& options, FontSet& fonts);

// The start-up sequence: the splash, GetwinDir, the first entry selected. Then shows it.
void loadForm1(HWND form);

// Points DrvListBox at another directory, as OK in the change-directory dialog does.
void setForm1ListPath(const char* path);

// The paths the main window holds (ListPath, Newpath, WinPath), for tests.
const char* form1Text(WindowText which);

INT_PTR CALLBACK Form1Proc(HWND, UINT, WPARAM, LPARAM);

} // namespace tolvane
