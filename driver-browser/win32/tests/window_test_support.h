// What the window tests share: running steps while a modal window is open, finding
// windows, the sample driver files in the Windows system directory.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace tolvane_test {

// Runs step every 30 ms (on a thread timer, which the modal loops dispatch) while body
// runs; step returns false once it is done.
void whileRunning(const std::function<void()>& body, const std::function<bool()>& step);

std::string windowText(HWND window);
// The visible top-level window of this thread with this title, or NULL.
HWND findThreadWindow(const char* title);

RECT clientRectOnScreen(HWND window);

std::string windowsDirectory();
void writeFile(const std::string& path, const std::string& bytes);

// A version-information block as the scan finds it.
std::string versionBlock(const std::string& vendor, const std::string& description,
                         const std::string& version);

} // namespace tolvane_test
