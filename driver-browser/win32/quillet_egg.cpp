// QuilletEgg, the hidden picture window: sizable, no icon, the picture as its background.
#include "control_fonts.h"
#include "dialog_support.h"
#include "resource_ids.h"
#include "tolvane_windows.h"
#include "twips_layout.h"

namespace tolvane {

namespace {

struct QuilletEggState {
    FontSet fonts;
    HBITMAP background = NULL;
};

const ControlFont kFonts[] = {{IDC_QuilletEgg_Command1, "MS Sans Serif", 975, false}};

QuilletEggState* stateOf(HWND window) {
    return reinterpret_cast<QuilletEggState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

} // namespace

INT_PTR CALLBACK QuilletEggProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
        QuilletEggState* state = stateOf(window);
        state->background = LoadBitmapA(programInstance(), "QUILLETEGG");
        state->fonts.apply(window, kFonts, 1);
        setWindowIcons(window, 0); // no icon of its own, rather than an inherited one
        applyTwipsLayout(window, IDD_QuilletEgg);
        focusButton(window, IDC_QuilletEgg_Command1);
        return FALSE;
    }
    case WM_ERASEBKGND:
        if (stateOf(window) == nullptr)
            return FALSE;
        paintBackground(window, reinterpret_cast<HDC>(wParam), stateOf(window)->background);
        return dialogResult(window, TRUE);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_QuilletEgg_Command1)
            EndDialog(window, 0);
        return TRUE;
    case WM_CLOSE:
        EndDialog(window, 0);
        return TRUE;
    case WM_DESTROY:
        if (stateOf(window) != nullptr && stateOf(window)->background != NULL)
            DeleteObject(stateOf(window)->background);
        return FALSE;
    default:
        return FALSE;
    }
}

void showQuilletEgg(HWND owner) {
    QuilletEggState state;
    DialogBoxParamA(programInstance(), MAKEINTRESOURCEA(IDD_QuilletEgg), owner, QuilletEggProc,
                    reinterpret_cast<LPARAM>(&state));
}

} // namespace tolvane
