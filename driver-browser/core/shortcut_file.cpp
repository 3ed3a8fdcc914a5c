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

} // namespace tolvane
