// The program: registers the picture box, creates the main window, runs the start-up
// sequence and the message loop until the main window is gone. The 32-bit Windows 95 build
// has no C run-time start-up code: the loader calls tolvaneEntry directly. Other builds
// start through WinMain.
#include "dialog_support.h"
#include "tolvane_windows.h"

namespace {

int runTolvane() {
    tolvane::registerPictureBoxClass(tolvane::programInstance());
    HWND window = tolvane::createForm1({true, nullptr});
    if (window == NULL)
        return 1;
    tolvane::loadForm1(window);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        if (IsWindow(window) && IsDialogMessageA(window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace

#ifdef TOLVANE_FREESTANDING
extern "C" void tolvaneEntry() {
    ExitProcess(static_cast<UINT>(runTolvane()));
}
#else
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return runTolvane();
}
#endif
