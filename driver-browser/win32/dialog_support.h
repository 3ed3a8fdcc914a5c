// Small pieces every window of the Win32 front-end uses.
#pragma once

#include <windows.h>

namespace tolvane {

HINSTANCE programInstance();

// Gives the window the 32 x 32 and 16 x 16 images of an icon resource (0: no icon at all).
void setWindowIcons(HWND window, int iconId);

// Paints the window's background: the face colour, then the bitmap at the top-left corner,
// clipped to the client area.
void paintBackground(HWND window, HDC dc, HBITMAP bitmap);

// Draws the bitmap at its full size with its top-left corner at the top-left of dc.
void drawBitmap(HDC dc, HBITMAP bitmap);

// Puts the focus on the dialog's button as the dialog manager does when the user tabs to it,
// so that Enter presses that button; for WM_INITDIALOG, which then returns FALSE.
void focusButton(HWND dialog, int id);

// Lets the pending window events run once.
void runPendingEvents();

// A dialog procedure's answer to a message it handled with a result.
inline INT_PTR dialogResult(HWND dialog, LRESULT result) {
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

} // namespace tolvane
