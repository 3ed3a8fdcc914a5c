#include "main_window.h"

#include "path_text.h"

#include <cstdint>
#include <cstring>

namespace tolvane {

namespace {

// Sets text to to the text from, through the seam's memory; false without memory.
bool copyText(const MainWindowSeam& window, WindowText from, WindowText to) {
    const std::size_t length = window.text(window.context, from, nullptr, 0);
    char* text = window.memory(window.context, length + 1);
    if (text == nullptr) {
        return false;
    }
    window.text(window.context, from, text, length + 1);
    window.setText(window.context, to, text);
    return true;
}

} // namespace

std::size_t readWindowsDirectory(const WindowsDirectorySeam& platform, char* buffer,
                                 std::size_t capacity) {
    std::memset(buffer, ' ', kWindowsDirectoryBuffer);
    buffer[kWindowsDirectoryBuffer] = '\0';
    const unsigned stored = platform.get(platform.context, buffer, kWindowsDirectoryBuffer);
    auto count = static_cast<int16_t>(stored);
    if (stored >= kWindowsDirectoryBuffer && stored <= capacity) {
        // Too long for the 144 characters: the size it needs, asked again.
        const unsigned again =
            platform.get(platform.context, buffer, static_cast<unsigned>(capacity));
        count = again < stored ? static_cast<int16_t>(again) : 0;
    } else if (stored >= kWindowsDirectoryBuffer) {
        count = 0;
    }
    const std::size_t length = count > 0 ? static_cast<std::size_t>(count) : 0;
    buffer[length] = '\0';
    return length;
}

void getwinDir(const MainWindowSeam& window) {
    // WinPath, and the system directory behind it, in one piece of memory.
    constexpr std::size_t kSystemRoom = kWinPathCapacity + sizeof "system" + 1;
    char* winPath = window.memory(window.context, kWinPathCapacity + kSystemRoom);
    if (winPath == nullptr) {
        return;
    }
    readWindowsDirectory(window.windowsDirectory, winPath, kWinPathCapacity);
    window.setText(window.context, WindowText::WinPath, winPath);
    char* system = winPath + kWinPathCapacity;
    joinPath(winPath, kPathSeparator, "system", system, kSystemRoom);
    window.setCurrentDirectory(window.context, system);
    window.setText(window.context, WindowText::ListPath, system);
}

void loadMainWindow(const MainWindowSeam& window) {
    window.showSplash(window.context);
    getwinDir(window);
    if (window.listCount(window.context) > 0) {
        window.selectEntry(window.context, 0);
    }
}

void changeDirectory(const MainWindowSeam& window) {
    if (!copyText(window, WindowText::ListPath, WindowText::Newpath)) {
        return;
    }
    window.showSelectPath(window.context);
    copyText(window, WindowText::Newpath, WindowText::ListPath);
}

} // namespace tolvane
