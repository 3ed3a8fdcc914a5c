// A program under test, started as a user starts it: its process, its windows found by
// title, and closing it through its main window. The process handles are closed when the
// run goes out of scope; a program still running then is ended.
#pragma once

#include <windows.h>

#include <cstring>

namespace tolvane_test {

class ProgramRun {
public:
    explicit ProgramRun(const char* program) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        started_ = CreateProcessA(program, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                  &startup, &process_) != FALSE;
        if (!started_)
            startError_ = GetLastError();
    }
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;
    ~ProgramRun() {
        if (!started_)
            return;
        if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0)
            TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }

    bool started() const { return started_; }
    DWORD startError() const { return startError_; }

    // A visible top-level window of the program with this title, other than except; NULL
    // when there is none.
    HWND findWindow(const char* title, HWND except = NULL) const {
        Search search = {process_.dwProcessId, title, except, NULL};
        EnumWindows(&matchWindow, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    // Waits up to timeoutMs for such a window.
    HWND waitForWindow(const char* title, DWORD timeoutMs) const {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < timeoutMs) {
            if (HWND window = findWindow(title))
                return window;
            Sleep(50);
        }
        return NULL;
    }

    // Waits up to timeoutMs for the program to end; false when it is still running.
    bool waitForExit(DWORD timeoutMs) const {
        return WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0;
    }

private:
    struct Search {
        DWORD processId;
        const char* title;
        HWND except;
        HWND found;
    };

    static BOOL CALLBACK matchWindow(HWND window, LPARAM lParam) {
        Search* search = reinterpret_cast<Search*>(lParam);
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        char title[256] = {};
        GetWindowTextA(window, title, sizeof title);
        if (processId == search->processId && window != search->except && IsWindowVisible(window) &&
            std::strcmp(title, search->title) == 0) {
            search->found = window;
            return FALSE;
        }
        return TRUE;
    }

    PROCESS_INFORMATION process_ = {};
    bool started_ = false;
    DWORD startError_ = 0;
};

} // namespace tolvane_test
