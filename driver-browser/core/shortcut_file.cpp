#include "shortcut_file.h"

#include "path_text.h"

#include <cstring>

namespace tolvane {

ShortcutPlace placeShortcut(const char* winPath, char separator, const DesktopFolders& folders,
                            char* buffer, std::size_t capacity) {
    // The Windows directory's "desktop" folder: the file's path, cut back to the folder.
    const char sep[2] = {separator, '\0'};
    const std::size_t length =
        joinTexts({winPath, sep, kShortcutFolder, sep, kShortcutFileName}, buffer, capacity);
    const std::size_t folderLength = length - sizeof kShortcutFileName;
    if (length < capacity) {
        buffer[folderLength] = '\0';
        const bool exists = folders.folderExists(folders.context, buffer);
        buffer[folderLength] = separator;
        if (exists) {
            return ShortcutPlace::WindowsDesktop;
        }
    }
    // The user's own desktop folder, as the platform names it.
    char folder[kUserDesktopCapacity];
    if (!folders.userDesktop(folders.context, folder, sizeof folder)) {
        return ShortcutPlace::Nowhere;
    }
    const bool fits = joinPath(folder, separator, kShortcutFileName, buffer, capacity) < capacity;
    return fits && folders.folderExists(folders.context, folder) ? ShortcutPlace::UserDesktop
                                                                 : ShortcutPlace::Nowhere;
}

void createDesktopShortcut(const ShortcutSeam& platform, const char* winPath) {
    // The path (under the Windows directory or in the user's desktop folder), the reason and
    // the warning, in one piece of memory.
    const std::size_t pathCapacity = std::strlen(winPath) + kUserDesktopCapacity + 32;
    const std::size_t warningCapacity = pathCapacity + kReasonCapacity + 128;
    char* path =
        platform.memory(platform.context, pathCapacity + kReasonCapacity + warningCapacity);
    if (path == nullptr) {
        platform.tell(platform.context, kShortcutFailedTitle, kShortcutFailedText, kWarningStyle);
        return;
    }
    char* reason = path + pathCapacity;
    char* warning = reason + kReasonCapacity;
    // Where neither desktop folder exists, the write fails and says why.
    placeShortcut(winPath, kPathSeparator, platform.folders, path, pathCapacity);
    reason[0] = '\0';
    if (platform.write(platform.context, path, kShortcutContents, kShortcutSize, reason)) {
        platform.tell(platform.context, kThankYouTitle, kThankYouText, kThankYouStyle);
        return;
    }
    joinTexts({kShortcutFailedText, kShortcutFailedFile, path, kShortcutFailedReason, reason},
              warning, warningCapacity);
    platform.tell(platform.context, kShortcutFailedTitle, warning, kWarningStyle);
}

} // namespace tolvane
