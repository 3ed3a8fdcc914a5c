#include "window_test_support.h"

#include <gtest/gtest.h>

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

RECT childRect(HWND parent, int id) {
    RECT r;
    GetWindowRect(GetDlgItem(parent, id), &r);
    MapWindowPoints(NULL, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void expectClientAreaInTwips(HWND window, int left, int top, int width, int height) {
    const RECT client = clientRectOnScreen(window);
    EXPECT_EQ(client.left, left / 15);
    EXPECT_EQ(client.top, top / 15);
    EXPECT_EQ(client.right - client.left, width / 15);
    EXPECT_EQ(client.bottom - client.top, height / 15);
}

void expectControlsInTwips(HWND window, const std::vector<TwipsControl>& controls) {
    for (const TwipsControl& c : controls) {
        SCOPED_TRACE(c.id);
        ASSERT_NE(GetDlgItem(window, c.id), nullptr);
        const RECT r = childRect(window, c.id);
        EXPECT_EQ(r.left, c.left / 15);
        EXPECT_EQ(r.top, c.top / 15);
        EXPECT_EQ(r.right - r.left, c.width / 15);
        EXPECT_EQ(r.bottom - r.top, c.height / 15);
    }
}

void expectFonts(HWND window, const std::vector<DesignedFont>& fonts) {
    HDC screen = GetDC(NULL);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(NULL, screen);
    for (const DesignedFont& f : fonts) {
        SCOPED_TRACE(f.id);
        HFONT font = reinterpret_cast<HFONT>(SendDlgItemMessageA(window, f.id, WM_GETFONT, 0, 0));
        LOGFONTA logical = {};
        ASSERT_NE(GetObjectA(font, sizeof logical, &logical), 0);
        EXPECT_STREQ(logical.lfFaceName, f.face);
        EXPECT_EQ(logical.lfHeight, -MulDiv(f.centipoints, dpi, 7200));
        EXPECT_EQ(logical.lfItalic != 0, f.italic);
        EXPECT_EQ(logical.lfWeight, FW_NORMAL);
    }
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
