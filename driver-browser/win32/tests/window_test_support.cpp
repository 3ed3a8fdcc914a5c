#include "window_test_support.h"

namespace tolvane_test {

namespace {
std::function<bool()> currentStep;
bool stepDone = false;

void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (stepDone || !currentStep)
        return;
    stepDone = !currentStep();
}
} // namespace

void whileRunning(const std::function<void()>& body, const std::function<bool()>& step) {
    currentStep = step;
    stepDone = false;
    UINT_PTR timer = SetTimer(NULL, 0, 30, onTimer);
    body();
    KillTimer(NULL, timer);
    currentStep = nullptr;
}

std::string windowText(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

struct FindContext {
    const char* title;
    HWND found;
};

BOOL CALLBACK matchTitle(HWND window, LPARAM lParam) {
    auto* c = reinterpret_cast<FindContext*>(lParam);
    if (IsWindowVisible(window) && windowText(window) == c->title) {
        c->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND findThreadWindow(const char* title) {
    FindContext context = {title, NULL};
    EnumThreadWindows(GetCurrentThreadId(), matchTitle, reinterpret_cast<LPARAM>(&context));
    return context.found;
}

RECT clientRectOnScreen(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    OffsetRect(&r, origin.x, origin.y);
    return r;
}

std::string windowsDirectory() {
    char dir[MAX_PATH];
    const UINT n = GetWindowsDirectoryA(dir, sizeof dir);
    return std::string(dir, n);
}

void writeFile(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
    CloseHandle(file);
}

std::string versionBlock(const std::string& vendor, const std::string& description,
                         const std::string& version) {
    std::string block = std::string("StringFileInfo") + '\0';
    block += std::string(16, 'x'); // the scan skips 30 bytes from the marker's start
    block += std::string("CompanyName") + '\0' + vendor + '\0';
    block += std::string("FileDescription") + '\0' + description + '\0';
    block += std::string("FileVersion") + '\0' + version + '\0';
    return "MZ header bytes " + block + std::string(64, '\0');
}

} // namespace tolvane_test
