// Environment variables from the C library.
#include "environment.h"

#include <cstdlib>
#include <cstring>

bool environment_value(const char* name, char* buffer, size_t size) {
    const char* value = std::getenv(name);
    if (value == nullptr)
        return false;
    size_t length = std::strlen(value);
    if (length >= size)
        return false;
    std::memcpy(buffer, value, length + 1);
    return true;
}
