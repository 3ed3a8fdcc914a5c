// tolvane.exe's shortcut picture clicked as a user clicks it, in a Wine prefix whose Windows
// directory has no "desktop" folder (scripts/with-wineboot-prefix.sh, which then looks for
// the file on the user's desktop): the "Thank You!" box must show with its text.
#include "program_run.h"
#include "resource_ids.h"

#include <cstdio>
#include <string>

namespace {

// The text of the box's static control that holds the message.
std::string messageText(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child != NULL;
         child = GetWindow(child, GW_HWNDNEXT)) {
        char text[512] = {};
        GetWindowTextA(child, text, sizeof text);
        if (std::string(text).find("Website") != std::string::npos)
            return text;
    }
    return std::string();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tolvane_shortcut_run TOLVANE.EXE\n");
        return 2;
    }
    tolvane_test::ProgramRun tolvane(argv[1]);
    HWND main = tolvane.started() ? tolvane.waitForWindow("Tolvane v1.4", 30000) : NULL;
    if (main == NULL) {
        std::fprintf(stderr, "FAIL: no main window \"Tolvane v1.4\"\n");
        return 1;
    }
    HWND picture = GetDlgItem(main, IDC_Form1_Picture1);
    PostMessageA(picture, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    PostMessageA(picture, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    int failures = 0;
    HWND box = tolvane.waitForWindow("Thank You!", 20000);
    const std::string text = box != NULL ? messageText(box) : std::string();
    if (text != "A link to our Website has been created on your desktop.\r"
                "To access our page, siply double click the shorcut icon.") {
        std::fprintf(stderr, "FAIL: no \"Thank You!\" box with the thanks (%s)\n",
                     box != NULL ? text.c_str() : "no box");
        ++failures;
    }
    if (box != NULL)
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    PostMessageA(main, WM_CLOSE, 0, 0);
    if (!tolvane.waitForExit(20000)) {
        std::fprintf(stderr, "FAIL: tolvane.exe did not end after its main window closed\n");
        ++failures;
    }
    std::printf("%s\n", failures == 0 ? "the thanks showed: ok" : "FAILED");
    return failures == 0 ? 0 : 1;
}
