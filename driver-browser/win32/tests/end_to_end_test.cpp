// tolvane.exe as a user starts it: the splash "Brisklow -loading-" shows, then goes, and
// the main window "Tolvane v1.4" opens; closing it ends the program.
#include "program_run.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tolvane_end_to_end_test TOLVANE.EXE\n");
        return 2;
    }
    tolvane_test::ProgramRun tolvane(argv[1]);
    if (!tolvane.started()) {
        std::fprintf(stderr, "cannot start %s: error %lu\n", argv[1], tolvane.startError());
        return 1;
    }
    int failures = 0;
    HWND splash = tolvane.waitForWindow("Brisklow -loading-", 20000);
    if (splash == NULL) {
        std::fprintf(stderr, "FAIL: no splash \"Brisklow -loading-\"\n");
        ++failures;
    }
    HWND main = tolvane.waitForWindow("Tolvane v1.4", 20000);
    if (main == NULL) {
        std::fprintf(stderr, "FAIL: no main window \"Tolvane v1.4\"\n");
        ++failures;
    } else {
        if (splash != NULL && IsWindow(splash) && IsWindowVisible(splash)) {
            std::fprintf(stderr, "FAIL: the splash is still open with the main window\n");
            ++failures;
        }
        PostMessageA(main, WM_CLOSE, 0, 0);
    }
    if (!tolvane.waitForExit(20000)) {
        std::fprintf(stderr, "FAIL: tolvane.exe did not end after its main window closed\n");
        ++failures;
    }
    std::printf("%s\n",
                failures == 0 ? "splash, then main window, then a clean exit: ok" : "FAILED");
    return failures == 0 ? 0 : 1;
}
