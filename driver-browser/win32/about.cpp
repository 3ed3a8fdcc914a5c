// About: the registered sign appended to the caption at load, and the hidden gesture on the
// picture and the "Watch out" label that opens QuilletEgg.
#include "dialog_support.h"
#include "resource_ids.h"
#include "tolvane_windows.h"

#include "core/egg_gesture.h"

namespace tolvane {

namespace {

const ControlFont kFonts[] = {
    {IDC_About_Command1, "MS Sans Serif", 2400, false},
    {IDC_About_Label1, "MS Sans Serif", 1200, false},
    {IDC_About_Label2, "MS Sans Serif", 1200, false},
    {IDC_About_Label3, "MS Sans Serif", 1200, false},
    {IDC_About_Label4, "MS Sans Serif", 1200, false},
    {IDC_About_Label5, "MS Sans Serif", 1200, false},
    {IDC_About_Label6, "MS Sans Serif", 1200, false},
};

EggGesture* gestureOf(HWND window) {
    return reinterpret_cast<EggGesture*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Shift as the gesture sees it: Shift and Ctrl from the message's MK_ flags, Alt from the
// keyboard state at the time of the message.
int shiftBits(WPARAM mkFlags) {
    return ((mkFlags & MK_SHIFT) != 0 ? ShiftBit : 0) |
           ((mkFlags & MK_CONTROL) != 0 ? CtrlBit : 0) | (GetKeyState(VK_MENU) < 0 ? AltBit : 0);
}

// Label6's Click: a left press and a release inside the label (the static control itself
// reports the press alone). The second press of a double click is a double click, which the
// window does not handle: it and its release make no click.
WNDPROC staticProc = nullptr;

LRESULT CALLBACK label6Proc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        SetCapture(label);
        return 0;
    case WM_LBUTTONDBLCLK:
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == label) {
            ReleaseCapture();
            clickedWhenInside(label, lParam);
        }
        return 0;
    default:
        return CallWindowProcA(staticProc, label, message, wParam, lParam);
    }
}

} // namespace

INT_PTR CALLBACK AboutProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
        setUpWindow(window, IDD_About, IDI_About, kFonts, countOf(kFonts));
        char caption[128]; // the caption, then the registered sign of the ANSI code page
        const int length = GetWindowTextA(window, caption, sizeof caption - 1);
        caption[length] = '\xAE';
        caption[length + 1] = '\0';
        SetWindowTextA(window, caption);
        staticProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(GetDlgItem(window, IDC_About_Label6), GWLP_WNDPROC,
                              reinterpret_cast<LONG_PTR>(&label6Proc)));
        // Picture1 comes first in the tab order: the focus starts there, not on "Go Away".
        SetFocus(GetDlgItem(window, IDC_About_Picture1));
        return FALSE;
    }
    case PictureMouseDown:
        gestureOf(window)->pressed(HIWORD(wParam), shiftBits(LOWORD(wParam)));
        return TRUE;
    case PictureMouseUp:
        // Twips from the picture's client area: pixels times 15.
        gestureOf(window)->released(
            HIWORD(wParam), shiftBits(LOWORD(wParam)),
            pixelsToTwips(static_cast<float>(static_cast<short>(LOWORD(lParam)))),
            pixelsToTwips(static_cast<float>(static_cast<short>(HIWORD(lParam)))));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_About_Command1) {
            EndDialog(window, 0);
        } else if (LOWORD(wParam) == IDC_About_Label6 && HIWORD(wParam) == STN_CLICKED &&
                   gestureOf(window)->labelClicked()) {
            // Each click counts; a double click counts once (label6Proc).
            showQuilletEgg(window);
            gestureOf(window)->pictureClosed();
        }
        return TRUE; // Escape (IDCANCEL) does not close the about window
    case WM_CLOSE:   // nor does a close request: only "Go Away" closes it
        return TRUE;
    case WM_DESTROY:
        deleteFonts(window, kFonts, countOf(kFonts));
        return FALSE;
    default:
        return FALSE;
    }
}

void showAbout(HWND owner) {
    EggGesture egg; // EggStage, 0 at load
    DialogBoxParamA(programInstance(), MAKEINTRESOURCEA(IDD_About), owner, AboutProc,
                    reinterpret_cast<LPARAM>(&egg));
}

} // namespace tolvane
