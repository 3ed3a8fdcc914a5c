// Zero-terminated 8-bit text as the browser's rules handle it: case, texts and paths joined
// as the strings stand. The order of names is name_order.h's.
#pragma once

#include <cstddef>
#include <initializer_list>

namespace tolvane {

// The separator the platform's paths use.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// An ASCII letter in lower case; any other byte as it is.
inline char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when the two texts are equal ignoring the case of ASCII letters.
bool equalIgnoringCase(const char* a, const char* b);

// The texts one after the other into buffer: at most capacity - 1 bytes and a terminating
// zero byte (nothing when capacity is 0). Returns the full length, so a result >= capacity
// means the buffer was too small.
std::size_t joinTexts(std::initializer_list<const char*> texts, char* buffer, std::size_t capacity);

// dir + separator + name, joined as the strings stand (no separator added or removed). As
// joinTexts.
std::size_t joinPath(const char* dir, char separator, const char* name, char* buffer,
                     std::size_t capacity);

// As joinPath, but no separator is added when dir already ends with one (a drive root).
std::size_t joinChildPath(const char* dir, char separator, const char* name, char* buffer,
                          std::size_t capacity);

} // namespace tolvane
