#include "getwin_dir.h"

#include "path_text.h"

namespace tolvane {

std::size_t readWindowsDirectory(const WindowsDirectorySeam& platform, char* buffer,
                                 std::size_t capacity) {
    for (unsigned n = 0; n < kWindowsDirectoryBuffer; ++n) {
        buffer[n] = ' ';
    }
    buffer[kWindowsDirectoryBuffer] = '\0';
    const unsigned stored = platform.get(platform.context, buffer, kWindowsDirectoryBuffer);
    auto count = static_cast<int16_t>(stored);
    if (stored >= kWindowsDirectoryBuffer && stored < capacity) {
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

std::size_t systemDirectory(const char* winPath, char* buffer, std::size_t capacity) {
    return joinPath(winPath, kPathSeparator, "system", buffer, capacity);
}

} // namespace tolvane
