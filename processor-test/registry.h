// Reading one value under HKEY_LOCAL_MACHINE as the ANSI registry call returns it (string
// types in Windows-1252 with their terminating zero). On Windows: advapi32's RegOpenKeyExA
// (read access), RegQueryValueExA and RegCloseKey. Elsewhere: HKEY_LOCAL_MACHINE as Wine
// keeps it on disk, $WINEPREFIX/system.reg (else ~/.wine/system.reg), read by the shared
// reader (common/wine_registry.h) afresh on every call and never written.
#pragma once

#include <cstdint>

constexpr uint32_t REGISTRY_SZ = 1;               // REG_SZ
constexpr long REGISTRY_READ = 0;                 // ERROR_SUCCESS
constexpr long REGISTRY_NOT_FOUND = 2;            // ERROR_FILE_NOT_FOUND
constexpr long REGISTRY_LARGER_THAN_BUFFER = 234; // ERROR_MORE_DATA

// Reads `value` of `key` into data[0..*size): *size is the buffer's size on entry and the
// value's size on return, *type its type. Returns what RegQueryValueExA returns: 0;
// REGISTRY_LARGER_THAN_BUFFER when the value does not fit; REGISTRY_NOT_FOUND when the key
// or the value does not exist (or, elsewhere than on Windows, the file cannot be read); any
// failure but the first leaves *type and *size 0.
long registry_read(const char* key, const char* value, uint32_t* type, uint8_t* data,
                   uint32_t* size);
