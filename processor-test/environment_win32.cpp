// Environment variables from kernel32, which holds them for every process whatever
// run-time library it uses (or none).
#include "environment.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

bool environment_value(const char* name, char* buffer, size_t size) {
    DWORD length = GetEnvironmentVariableA(name, buffer, static_cast<DWORD>(size));
    return length > 0 && length < size;
}
