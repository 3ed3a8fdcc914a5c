// QuilletEgg, the hidden picture window: sizable, no icon, the picture as its background.
#include "dialog_support.h"
#include "resource_ids.h"
#include "tolvane_windows.h"

namespace tolvane {

namespace {

const ControlFont kFonts[] = {{IDC_QuilletEgg_Command1, "MS Sans Serif", 975, false}};

HBITMAP backgroundOf(HWND window) {
    return reinterpret_cast<HBITMAP>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

} // namespace

INT_PTR CALLBACK QuilletEggProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(LoadBitmapA(programInstance(), "QUILLETEGG")));
        setUpWindow(window, IDD_QuilletEgg, 0, kFonts, countOf(kFonts));
        focusButton(window, IDC_QuilletEgg_Command1);
        return FALSE;
    case WM_ERASEBKGND:
        paintBackground(window, reinterpret_cast<HDC>(wParam), backgroundOf(window));
        return dialogResult(window, TRUE);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_QuilletEgg_Command1)
            EndDialog(window, 0);
        return TRUE;
    case WM_CLOSE:
        EndDialog(window, 0);
        return TRUE;
    case WM_DESTROY:
        deleteFonts(window, kFonts, countOf(kFonts));
        if (backgroundOf(window) != NULL)
            DeleteObject(backgroundOf(window));
        return FALSE;
    default:
        return FALSE;
    }
}

void showQuilletEgg(HWND owner) {
    DialogBoxParamA(programInstance(), MAKEINTRESOURCEA(IDD_QuilletEgg), owner, QuilletEggProc, 0);
}

} // namespace tolvane
