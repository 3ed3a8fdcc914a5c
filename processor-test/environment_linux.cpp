// Environment variables of the freestanding Linux program, from the list _start found.
#include "environment.h"
#include "linux_i386.h"

bool environment_value(const char* name, char* buffer, size_t size) {
    if (linux_environment == nullptr)
        return false;
    for (const char* const* entry = linux_environment; *entry != nullptr; ++entry) {
        const char* p = *entry;
        const char* n = name;
        while (*n != '\0' && *p == *n) {
            ++p;
            ++n;
        }
        if (*n != '\0' || *p != '=')
            continue;
        ++p;
        size_t length = 0;
        while (p[length] != '\0')
            ++length;
        if (length >= size)
            return false;
        for (size_t i = 0; i <= length; ++i)
            buffer[i] = p[i];
        return true;
    }
    return false;
}
