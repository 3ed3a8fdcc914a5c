// drvHelp, the help window: sizable; its controls keep their places when it is resized.
#include "dialog_support.h"
#include "resource_ids.h"
#include "tolvane_windows.h"

#include "core/user_texts.h"

namespace tolvane {

namespace {

const ControlFont kFonts[] = {
    {IDC_drvHelp_Command1, "MS Sans Serif", 975, false},
    {IDC_drvHelp_Label1, "Arial", 4800, true},
    {IDC_drvHelp_Label2, "Arial", 1425, true},
    {IDC_drvHelp_Label3, "MS Sans Serif", 1200, false},
};

} // namespace

INT_PTR CALLBACK drvHelpProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        setUpWindow(window, IDD_drvHelp, IDI_drvHelp, kFonts, countOf(kFonts));
        SetDlgItemTextA(window, IDC_drvHelp_Label3, kHelpText);
        focusButton(window, IDC_drvHelp_Command1); // the first that takes the focus
        return FALSE;
    case WM_COMMAND:
        // Escape (IDCANCEL) does not close the help window.
        if (LOWORD(wParam) == IDC_drvHelp_Command1)
            EndDialog(window, 0);
        return TRUE;
    case WM_CLOSE:
        EndDialog(window, 0);
        return TRUE;
    case WM_DESTROY:
        deleteFonts(window, kFonts, countOf(kFonts));
        return FALSE;
    default:
        return FALSE;
    }
}

void showdrvHelp(HWND owner) {
    DialogBoxParamA(programInstance(), MAKEINTRESOURCEA(IDD_drvHelp), owner, drvHelpProc, 0);
}

} // namespace tolvane
