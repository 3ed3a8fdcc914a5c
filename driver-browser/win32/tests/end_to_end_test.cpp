// tolvane.exe as a user starts it: the splash "Brisklow -loading-" shows, then goes, and
// the main window "Tolvane v1.4" opens; closing it ends the program.
#include <windows.h>

#include <cstdio>

namespace {

HWND waitFor(const char* title, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        HWND window = FindWindowA(NULL, title);
        if (window != NULL && IsWindowVisible(window))
            return window;
        Sleep(50);
    }
    return NULL;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tolvane_end_to_end_test TOLVANE.EXE\n");
        return 2;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(argv[1], nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "cannot start %s: error %lu\n", argv[1], GetLastError());
        return 1;
    }
    int failures = 0;
    HWND splash = waitFor("Brisklow -loading-", 20000);
    if (splash == NULL) {
        std::fprintf(stderr, "FAIL: no splash \"Brisklow -loading-\"\n");
        ++failures;
    }
    HWND main = waitFor("Tolvane v1.4", 20000);
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
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "FAIL: tolvane.exe did not end after its main window closed\n");
        TerminateProcess(process.hProcess, 1);
        ++failures;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::printf("%s\n",
                failures == 0 ? "splash, then main window, then a clean exit: ok" : "FAILED");
    return failures == 0 ? 0 : 1;
}
