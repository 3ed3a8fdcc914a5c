#include "path_text.h"

#include <cstring>

namespace tolvane {

bool equalIgnoringCase(const char* a, const char* b) {
    for (; *a != '\0' && foldAscii(*a) == foldAscii(*b); ++a, ++b) {
    }
    return *a == '\0' && *b == '\0';
}

std::size_t joinTexts(std::initializer_list<const char*> texts, char* buffer,
                      std::size_t capacity) {
    std::size_t length = 0;
    for (const char* text : texts) {
        for (; *text != '\0'; ++text, ++length) {
            if (length + 1 < capacity) {
                buffer[length] = *text;
            }
        }
    }
    if (capacity > 0) {
        buffer[length < capacity ? length : capacity - 1] = '\0';
    }
    return length;
}

std::size_t joinPath(const char* dir, char separator, const char* name, char* buffer,
                     std::size_t capacity) {
    const char between[2] = {separator, '\0'};
    return joinTexts({dir, between, name}, buffer, capacity);
}

std::size_t joinChildPath(const char* dir, char separator, const char* name, char* buffer,
                          std::size_t capacity) {
    const std::size_t n = std::strlen(dir);
    return n > 0 && dir[n - 1] == separator ? joinTexts({dir, name}, buffer, capacity)
                                            : joinPath(dir, separator, name, buffer, capacity);
}

} // namespace tolvane
