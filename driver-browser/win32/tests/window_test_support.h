// What the window tests share: running steps while a modal window is open, finding
// windows, the sample driver files in the Windows system directory.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tolvane_test {

// Runs step every 30 ms (on a thread timer, which the modal loops dispatch) while body
// runs; step returns false once it is done.
void whileRunning(const std::function<void()>& body, const std::function<bool()>& step);

std::string windowText(HWND window);
// The visible top-level window of this thread with this title, or NULL.
HWND findThreadWindow(const char* title);

RECT clientRectOnScreen(HWND window);
RECT childRect(HWND parent, int id); // in the parent's client coordinates

// A control as designed, in twips of its window's client area.
struct TwipsControl {
    int id;
    int left, top, width, height;
};

// Expects the window's client area on screen, and each control inside it, at 15 twips per
// pixel.
void expectClientAreaInTwips(HWND window, int left, int top, int width, int height);
void expectControlsInTwips(HWND window, const std::vector<TwipsControl>& controls);

// A control's font as designed: face, size in 1/100 point, normal weight.
struct DesignedFont {
    int id;
    const char* face;
    int centipoints;
    bool italic;
};
void expectFonts(HWND window, const std::vector<DesignedFont>& fonts);

std::string windowsDirectory();
void writeFile(const std::string& path, const std::string& bytes);

// A version-information block as the scan finds it.
std::string versionBlock(const std::string& vendor, const std::string& description,
                         const std::string& version);

} // namespace tolvane_test
