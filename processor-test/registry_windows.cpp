// The registry of Windows itself.
#include "registry.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

long registry_read(const char* key, const char* value, uint32_t* type, uint8_t* data,
                   uint32_t* size) {
    HKEY handle = nullptr;
    // Read access is all it takes; asking for more fails for users without administrator
    // rights, and the setting would be ignored.
    LSTATUS status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &handle);
    DWORD found_type = 0;
    DWORD found_size = *size;
    if (status == ERROR_SUCCESS) {
        status = RegQueryValueExA(handle, value, nullptr, &found_type, data, &found_size);
        RegCloseKey(handle);
    }
    if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA)
        found_type = found_size = 0;
    *type = found_type;
    *size = found_size;
    return status;
}
