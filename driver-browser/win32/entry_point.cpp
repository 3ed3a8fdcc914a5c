// The program's entry. The 32-bit Windows 95 build has no C run-time start-up code: the
// loader calls tolvaneEntry directly. Other builds start through WinMain.
#include <windows.h>

#include "tolvane_main.h"

#ifdef TOLVANE_FREESTANDING
extern "C" void tolvaneEntry() {
    ExitProcess(static_cast<UINT>(tolvane::runTolvane()));
}
#else
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return tolvane::runTolvane();
}
#endif
