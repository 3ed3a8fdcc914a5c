// About: the registered sign appended to the caption at load, and the hidden gesture on the
// picture and the "Watch out" label that opens QuilletEgg.
#include "ansi_text.h"
#include "control_fonts.h"
#include "dialog_support.h"
#include "picture_box.h"
#include "resource_ids.h"
#include "tolvane_windows.h"
#include "twips_layout.h"

#include "core/egg_gesture.h"

namespace tolvane {

namespace {

struct AboutState {
    FontSet fonts;
    EggGesture egg; // EggStage, 0 at load
};

const ControlFont kFonts[] = {
    {IDC_About_Command1, "MS Sans Serif", 2400, false},
    {IDC_About_Label1, "MS Sans Serif", 1200, false},
    {IDC_About_Label2, "MS Sans Serif", 1200, false},
    {IDC_About_Label3, "MS Sans Serif", 1200, false},
    {IDC_About_Label4, "MS Sans Serif", 1200, false},
    {IDC_About_Label5, "MS Sans Serif", 1200, false},
    {IDC_About_Label6, "MS Sans Serif", 1200, false},
};

AboutState* stateOf(HWND window) {
    return reinterpret_cast<AboutState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Shift as the gesture sees it: Shift and Ctrl from the message's MK_ flags, Alt from the
// keyboard state at the time of the message.
int shiftBits(WPARAM mkFlags) {
    int bits = 0;
    if ((mkFlags & MK_SHIFT) != 0)
        bits |= ShiftBit;
    if ((mkFlags & MK_CONTROL) != 0)
        bits |= CtrlBit;
    if (GetKeyState(VK_MENU) < 0)
        bits |= AltBit;
    return bits;
}

void load(HWND window) {
    char caption[128];
    GetWindowTextA(window, caption, sizeof caption);
    appendText(caption, sizeof caption, "\xAE"); // the registered sign of the ANSI code page
    SetWindowTextA(window, caption);
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
    case WM_LBUTTONUP: {
        if (GetCapture() != label)
            return 0;
        ReleaseCapture();
        RECT inside;
        GetClientRect(label, &inside);
        const POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (PtInRect(&inside, at))
            SendMessageA(GetParent(label), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(label), STN_CLICKED),
                         reinterpret_cast<LPARAM>(label));
        return 0;
    }
    default:
        return CallWindowProcA(staticProc, label, message, wParam, lParam);
    }
}

void label6Click(HWND window) {
    AboutState* state = stateOf(window);
    if (!state->egg.labelClicked())
        return;
    showQuilletEgg(window);
    state->egg.pictureClosed();
}

} // namespace

INT_PTR CALLBACK AboutProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
        stateOf(window)->fonts.apply(window, kFonts, sizeof kFonts / sizeof *kFonts);
        setWindowIcons(window, IDI_About);
        applyTwipsLayout(window, IDD_About);
        load(window);
        staticProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(GetDlgItem(window, IDC_About_Label6), GWLP_WNDPROC,
                              reinterpret_cast<LONG_PTR>(&label6Proc)));
        // Picture1 comes first in the tab order: the focus starts there, not on "Go Away".
        SetFocus(GetDlgItem(window, IDC_About_Picture1));
        return FALSE;
    case PictureMouseDown:
        stateOf(window)->egg.pressed(HIWORD(wParam), shiftBits(LOWORD(wParam)));
        return TRUE;
    case PictureMouseUp:
        // Twips from the picture's client area: pixels times 15.
        stateOf(window)->egg.released(
            HIWORD(wParam), shiftBits(LOWORD(wParam)),
            pixelsToTwips(static_cast<float>(static_cast<short>(LOWORD(lParam)))),
            pixelsToTwips(static_cast<float>(static_cast<short>(HIWORD(lParam)))));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_About_Command1:
            EndDialog(window, 0);
            break;
        case IDC_About_Label6:
            // Each click counts; a double click counts once (label6Proc).
            if (HIWORD(wParam) == STN_CLICKED)
                label6Click(window);
            break;
        default: // Escape (IDCANCEL) does not close the about window
            break;
        }
        return TRUE;
    case WM_CLOSE: // nor does a close request: only "Go Away" closes it
        return TRUE;
    default:
        return FALSE;
    }
}

void showAbout(HWND owner) {
    AboutState state;
    DialogBoxParamA(programInstance(), MAKEINTRESOURCEA(IDD_About), owner, AboutProc,
                    reinterpret_cast<LPARAM>(&state));
}

} // namespace tolvane
