#include "shortcut_file.h"

namespace tolvane {

namespace {

// Appends text at *length, writing only what fits before the terminating zero byte.
void append(const char* text, char* buffer, std::size_t capacity, std::size_t* length) {
    for (; *text != '\0'; ++text, ++*length) {
        if (*length + 1 < capacity) {
            buffer[*length] = *text;
        }
    }
}

// folder + separator + "Harrowmint.URL" into buffer; false when it does not fit.
bool fileIn(const char* folder, char separator, char* buffer, std::size_t capacity) {
    const char sep[2] = {separator, '\0'};
    std::size_t length = 0;
    append(folder, buffer, capacity, &length);
    append(sep, buffer, capacity, &length);
    append(kShortcutFileName, buffer, capacity, &length);
    if (capacity > 0) {
        buffer[length < capacity ? length : capacity - 1] = '\0';
    }
    return length < capacity;
}

} // namespace

std::size_t shortcutPath(const char* winPath, char separator, char* buffer, std::size_t capacity) {
    const char sep[2] = {separator, '\0'};
    std::size_t length = 0;
    append(winPath, buffer, capacity, &length);
    append(sep, buffer, capacity, &length);
    append(kShortcutFolder, buffer, capacity, &length);
    append(sep, buffer, capacity, &length);
    append(kShortcutFileName, buffer, capacity, &length);
    if (capacity > 0) {
        buffer[length < capacity ? length : capacity - 1] = '\0';
    }
    return length;
}

ShortcutPlace placeShortcut(const char* winPath, char separator, const DesktopFolders& folders,
                            char* buffer, std::size_t capacity) {
    // The Windows directory's "desktop" folder: the file's path, cut back to the folder.
    const std::size_t length = shortcutPath(winPath, separator, buffer, capacity);
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
    char folder[520];
    if (!folders.userDesktop(folders.context, folder, sizeof folder)) {
        return ShortcutPlace::Nowhere;
    }
    const bool fits = fileIn(folder, separator, buffer, capacity);
    return fits && folders.folderExists(folders.context, folder) ? ShortcutPlace::UserDesktop
                                                                 : ShortcutPlace::Nowhere;
}

} // namespace tolvane
