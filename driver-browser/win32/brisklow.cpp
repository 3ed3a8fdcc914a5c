// Brisklow, the splash window: centred, without border, hourglass pointer, closed by its
// timer T1 at the second or third tick.
#include "dialog_support.h"
#include "resource_ids.h"
#include "tolvane_windows.h"

namespace tolvane {

namespace {

struct BrisklowState {
    float SplashStart; // time of day of the first tick; 0 until then
    HBITMAP background;
};

const TimeOfDaySource kLocalTime = {nullptr, &localTimeOfDay};
const TimeOfDaySource* splashClock = &kLocalTime;

BrisklowState* stateOf(HWND window) {
    return reinterpret_cast<BrisklowState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void load(HWND window) {
    // The current directory becomes the program's own.
    char program[MAX_PATH];
    const DWORD n = GetModuleFileNameA(NULL, program, sizeof program);
    if (n > 0 && n < sizeof program) {
        DWORD cut = n;
        while (cut > 0 && program[cut - 1] != '\\' && program[cut - 1] != '/')
            --cut;
        if (cut > 1 && program[cut - 2] != ':')
            --cut; // drop the separator, except after a drive root
        program[cut] = '\0';
        SetCurrentDirectoryA(program); // a failure goes unnoticed
    }
    // Centred (no border: the outer size is the client size).
    RECT outer;
    GetWindowRect(window, &outer);
    const SplashPosition at =
        centredSplashPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                              outer.right - outer.left, outer.bottom - outer.top);
    SetWindowPos(window, NULL, at.left, at.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowTextA(window, "Brisklow -loading-");
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    runPendingEvents();
    SetTimer(window, IDC_Brisklow_T1, 1000, NULL);
}

} // namespace

float localTimeOfDay(void*) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return secondsSinceMidnight(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
}

void setSplashClock(const TimeOfDaySource* clock) {
    splashClock = clock != nullptr ? clock : &kLocalTime;
}

INT_PTR CALLBACK BrisklowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
        stateOf(window)->background = LoadBitmapA(programInstance(), "SPLASH");
        // No border at all: the dialog manager gives every dialog a frame of its own.
        SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_CLIPCHILDREN));
        SetWindowLongA(window, GWL_EXSTYLE, WS_EX_APPWINDOW);
        SetWindowPos(window, NULL, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        setUpWindow(window, IDD_Brisklow, IDI_Brisklow);
        load(window);
        return FALSE;
    case WM_TIMER:
        if (wParam == IDC_Brisklow_T1 && stateOf(window) != nullptr &&
            splashTickCloses(stateOf(window)->SplashStart, *splashClock)) {
            KillTimer(window, IDC_Brisklow_T1);
            EndDialog(window, 0);
            PostMessageA(window, WM_NULL, 0, 0); // the modal loop ends at its next message
        }
        return TRUE;
    case WM_SETCURSOR:
        SetCursor(LoadCursorA(NULL, IDC_WAIT));
        return dialogResult(window, TRUE);
    case WM_ERASEBKGND:
        if (stateOf(window) == nullptr)
            return FALSE;
        paintBackground(window, reinterpret_cast<HDC>(wParam), stateOf(window)->background);
        return dialogResult(window, TRUE);
    case WM_DESTROY:
        if (stateOf(window) != nullptr && stateOf(window)->background != NULL)
            DeleteObject(stateOf(window)->background);
        return FALSE;
    case WM_COMMAND: // no Enter, no Escape: only the timer closes the splash
    case WM_CLOSE:
        return TRUE;
    default:
        return FALSE;
    }
}

void showBrisklow(HWND owner) {
    BrisklowState state = {0.0F, NULL};
    DialogBoxParamA(programInstance(), MAKEINTRESOURCEA(IDD_Brisklow), owner, BrisklowProc,
                    reinterpret_cast<LPARAM>(&state));
}

} // namespace tolvane
