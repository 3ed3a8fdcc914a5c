// Runs "Print All Drivers" in tolvane.exe as a user would: starts the program, waits for its
// main window, chooses the command and closes the program once the command has returned.
// Before that it checks that the system's default printer, as GetProfileStringA("windows",
// "device") names it, is the queue given on the command line, and prints how many lines of
// the printer's default font fit on one of its pages ("lines per page: N"). What got printed
// is for the caller to check at the printer.
#include "program_run.h"
#include "resource_ids.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

const char kTitle[] = "Tolvane v1.4";

// Prints the texts inside a message box of the program (its warning) and closes it.
void reportAndCloseBox(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child != NULL;
         child = GetWindow(child, GW_HWNDNEXT)) {
        char text[512] = {};
        GetWindowTextA(child, text, sizeof text);
        if (text[0] != '\0')
            std::fprintf(stderr, "  box: %s\n", text);
    }
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

// Lines of the default font on one page of the printer "name,driver,port"; 0 when the
// printer gives no device context.
int linesPerPage(const char* device) {
    char copy[256];
    std::strncpy(copy, device, sizeof copy - 1);
    copy[sizeof copy - 1] = '\0';
    char* driver = std::strchr(copy, ',');
    if (driver == NULL)
        return 0;
    *driver++ = '\0';
    char* port = std::strchr(driver, ',');
    if (port != NULL)
        *port++ = '\0';
    HDC dc = CreateDCA(driver, copy, port, NULL);
    if (dc == NULL)
        return 0;
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    const int lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    const int pageHeight = GetDeviceCaps(dc, VERTRES);
    DeleteDC(dc);
    return lineHeight > 0 ? pageHeight / lineHeight : 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: print_all_run TOLVANE.EXE QUEUE\n");
        return 2;
    }
    char device[256] = {};
    GetProfileStringA("windows", "device", "", device, sizeof device);
    std::printf("default printer (windows, device): \"%s\"\n", device);
    const size_t queueLength = std::strlen(argv[2]);
    if (std::strncmp(device, argv[2], queueLength) != 0 || device[queueLength] != ',') {
        std::fprintf(stderr, "FAIL: the default printer is not the queue \"%s\"\n", argv[2]);
        return 1;
    }
    const int lines = linesPerPage(device);
    std::printf("lines per page: %d\n", lines);
    if (lines <= 0) {
        std::fprintf(stderr, "FAIL: no device context for the default printer\n");
        return 1;
    }

    tolvane_test::ProgramRun tolvane(argv[1]);
    if (!tolvane.started()) {
        std::fprintf(stderr, "cannot start %s: error %lu\n", argv[1], tolvane.startError());
        return 1;
    }
    int failures = 0;
    HWND main = tolvane.waitForWindow(kTitle, 30000);
    if (main == NULL) {
        std::fprintf(stderr, "FAIL: no main window \"%s\"\n", kTitle);
        ++failures;
    } else {
        // The command runs inside the window procedure: the call returns once the document
        // has gone to the printer, or not while a warning box waits for the user.
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(main, WM_COMMAND, MAKEWPARAM(IDM_ADrivers, 0), 0, SMTO_NORMAL,
                                 60000, &result)) {
            std::fprintf(stderr, "FAIL: Print All Drivers did not return\n");
            ++failures;
        }
        // A warning ("No printer is installed...", "The report could not be printed.")
        // is a failure too.
        Sleep(200);
        if (HWND box = tolvane.findWindow(kTitle, main)) {
            std::fprintf(stderr, "FAIL: tolvane.exe warned:\n");
            reportAndCloseBox(box);
            ++failures;
        }
        PostMessageA(main, WM_CLOSE, 0, 0);
    }
    if (!tolvane.waitForExit(30000)) {
        std::fprintf(stderr, "FAIL: tolvane.exe did not end after its main window closed\n");
        ++failures;
    }
    std::printf("%s\n", failures == 0 ? "Print All Drivers ran, tolvane.exe closed" : "FAILED");
    return failures == 0 ? 0 : 1;
}
