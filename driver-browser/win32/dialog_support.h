// What the windows of the Win32 front-end share: their start (fonts, icons, the place of the
// window and its controls from its dialog template in twips), their background, the picture
// box control, list boxes in the lists' order, and the event loop run once.
#pragma once

#include <windows.h>

#include <cstddef>

namespace tolvane {

HINSTANCE programInstance();

template <typename T, size_t N>
constexpr size_t countOf(const T (&)[N]) {
    return N;
}

// A control's font: normal weight, ANSI character set, its size in 1/100 point (975 is
// 9.75 pt).
struct ControlFont {
    int controlId;
    const char* face;
    int centipoints;
    bool italic;
};

// The start of every window: each listed control gets its font, the window the 32 x 32 and
// 16 x 16 images of its icon resource (0: no icon at all, rather than an inherited one),
// and it and its controls are placed from its template (applyTwipsLayout).
void setUpWindow(HWND window, int templateId, int iconId, const ControlFont* fonts = nullptr,
                 size_t count = 0);
// Deletes the fonts setUpWindow gave the listed controls: on the window's WM_DESTROY.
void deleteFonts(HWND window, const ControlFont* fonts, size_t count);

// Moves and sizes the window so that its client area has the template's size at its screen
// position, and every control of the template to its place in the client area; the
// template's numbers are twips, 15 to a pixel.
void applyTwipsLayout(HWND window, int templateId);

// Paints the window's background: the face colour, then the bitmap at the top-left corner.
void paintBackground(HWND window, HDC dc, HBITMAP bitmap);

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

// Sends the parent WM_COMMAND with STN_CLICKED from the control when the pointer of a
// mouse message (lParam) is inside it.
void clickedWhenInside(HWND control, LPARAM lParam);

// The picture box control ("TolvanePicture"): shows the bitmap resource named by its
// caption at its top-left corner, clipped to its size. A left click (press and release
// inside) sends STN_CLICKED to the parent. Every button press and release is reported to
// the parent as PictureMouseDown or PictureMouseUp: wParam's LOWORD the message's MK_ flags,
// its HIWORD the button that changed (1 left, 2 right, 4 middle), lParam the message's. A
// press captures the mouse, so its release is reported wherever it happens.
constexpr char kPictureBoxClass[] = "TolvanePicture";
constexpr UINT PictureMouseDown = WM_APP + 1;
constexpr UINT PictureMouseUp = WM_APP + 2;
bool registerPictureBoxClass(HINSTANCE instance);

// Inserts text into the list box at its place by the lists' order (compareNames) among the
// entries from first on.
void insertSorted(HWND listBox, int first, const char* text);

} // namespace tolvane
