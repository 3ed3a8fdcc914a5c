// The six windows of the Win32 front-end. Form1, the main window, is a modeless dialog: the
// program's message loop runs while it is open. Every other window is modal and is built
// afresh from its dialog template on every opening; its show function returns once it has
// been closed.
#pragma once

#include <windows.h>

#include "core/main_window_seam.h"
#include "core/print_report.h"
#include "core/splash_timer.h"

namespace tolvane {

class HeapText;

struct Form1Options {
    bool showSplash;            // load shows Brisklow first (true in the program)
    const PrinterSeam* printer; // its open, printLine and endDocument; null: GDI's default
};

// Creates the main window from its definition, hidden.
HWND createForm1(const Form1Options& options);
// The start-up sequence: the splash, GetwinDir, the first entry selected. Then shows it.
void loadForm1(HWND form);
// Points DrvListBox at another directory, as OK in the change-directory dialog does.
void setForm1ListPath(const char* path);
// The paths the main window holds (ListPath, Newpath, WinPath), for tests.
const char* form1Text(WindowText which);

// Brisklow, the splash window: closes itself from its timer after about two seconds.
void showBrisklow(HWND owner);
// The clock the splash reads (the time of day from GetLocalTime unless a test sets one).
void setSplashClock(const TimeOfDaySource* clock);
float localTimeOfDay(void* context);

// changedir, "Select Path": opens on listPath; OK copies the open directory into newpath
// (never an empty one), Cancel leaves it alone.
void showchangedir(HWND owner, const char* listPath, HeapText& newpath);

void showdrvHelp(HWND owner);

// About, with the hidden gesture that opens QuilletEgg, the hidden picture.
void showAbout(HWND owner);
void showQuilletEgg(HWND owner);

// The dialog procedures, by which tests tell the windows apart.
INT_PTR CALLBACK Form1Proc(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK BrisklowProc(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK changedirProc(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK drvHelpProc(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK AboutProc(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK QuilletEggProc(HWND, UINT, WPARAM, LPARAM);

} // namespace tolvane
