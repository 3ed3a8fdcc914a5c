// tolvane.exe as a user starts it: the splash "Brisklow -loading-" shows, then goes, and
// the main window "Tolvane v1.4" opens; closing it ends the program. With "shortcut", a
// click on the shortcut picture in between must show the "Thank You!" box with its text
// (scripts/with-wineboot-prefix.sh then looks for the file on the user's desktop).
#include "program_run.h"
#include "resource_ids.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 3 && std::strcmp(argv[2], "shortcut") == 0)) {
        std::fprintf(stderr, "usage: tolvane_end_to_end_test TOLVANE.EXE [shortcut]\n");
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
        if (argc == 3) {
            HWND picture = GetDlgItem(main, IDC_Form1_Picture1);
            PostMessageA(picture, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
            PostMessageA(picture, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
            HWND box = tolvane.waitForWindow("Thank You!", 20000);
            char text[256] = {};
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text); // the message box's text
            if (std::strcmp(text,
                            "A link to our Website has been created on your desktop.\r"
                            "To access our page, siply double click the shorcut icon.") != 0) {
                std::fprintf(stderr, "FAIL: no \"Thank You!\" box with the thanks (%s)\n", text);
                ++failures;
            }
            PostMessageA(box, WM_COMMAND, IDOK, 0);
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
