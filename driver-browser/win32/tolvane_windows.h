// The six windows of the Win32 front-end. Every window but Form1 is modal and is built
// afresh from its dialog template on every opening; the show functions return once it has
// been closed.
#pragma once

#include <windows.h>

#include "core/splash_timer.h"

namespace tolvane {

class HeapText;

// Brisklow, the splash window: closes itself from its timer after about two seconds.
void showBrisklow(HWND owner);
// The clock the splash reads (the time of day from GetLocalTime unless a test sets one).
void setSplashClock(const TimeOfDaySource* clock);
float localTimeOfDay(void* context);

// changedir, "Select Path": opens on listPath; OK copies the open directory into newpath
// (never an empty one), Cancel leaves it alone.
void showchangedir(HWND owner, const char* listPath, HeapText& newpath);

// drvHelp, the help window.
void showdrvHelp(HWND owner);

// About, with the hidden gesture that opens QuilletEgg.
void showAbout(HWND owner);

// QuilletEgg, the hidden picture.
void showQuilletEgg(HWND owner);

// The dialog procedures, for tests that open a window without the modal loop.
INT_PTR CALLBACK BrisklowProc(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK changedirProc(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK drvHelpProc(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK AboutProc(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK QuilletEggProc(HWND, UINT, WPARAM, LPARAM);

} // namespace tolvane
