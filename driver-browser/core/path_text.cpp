#include "path_text.h"

#include <cstring>

namespace tolvane {

namespace {

char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Appends text to buffer[capacity] at position at, counting what does not fit.
std::size_t put(char* buffer, std::size_t capacity, std::size_t at, const char* text) {
    for (; *text != '\0'; ++text, ++at) {
        if (at + 1 < capacity) {
            buffer[at] = *text;
        }
    }
    return at;
}

std::size_t finish(char* buffer, std::size_t capacity, std::size_t length) {
    if (capacity > 0) {
        buffer[length < capacity ? length : capacity - 1] = '\0';
    }
    return length;
}

} // namespace

bool equalIgnoringCase(const char* a, const char* b) {
    for (; *a != '\0' && foldAscii(*a) == foldAscii(*b); ++a, ++b) {
    }
    return *a == '\0' && *b == '\0';
}

std::size_t joinPath(const char* dir, char separator, const char* name, char* buffer,
                     std::size_t capacity) {
    const char between[2] = {separator, '\0'};
    std::size_t length = put(buffer, capacity, 0, dir);
    length = put(buffer, capacity, length, between);
    return finish(buffer, capacity, put(buffer, capacity, length, name));
}

std::size_t joinChildPath(const char* dir, char separator, const char* name, char* buffer,
                          std::size_t capacity) {
    const std::size_t n = std::strlen(dir);
    if (n > 0 && dir[n - 1] == separator) {
        return finish(buffer, capacity, put(buffer, capacity, put(buffer, capacity, 0, dir), name));
    }
    return joinPath(dir, separator, name, buffer, capacity);
}

} // namespace tolvane
