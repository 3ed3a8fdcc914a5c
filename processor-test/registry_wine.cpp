// RegOpenKeyExA, RegQueryValueExA and RegCloseKey for systems without a Windows registry:
// HKEY_LOCAL_MACHINE is read from Wine's system.reg, never written.
//
// The file is $WINEPREFIX/system.reg, or ~/.wine/system.reg when WINEPREFIX is not set,
// read by the shared reader (common/wine_registry.h), afresh by every call. Open keys live in
// a small fixed table (no heap).
#include "registry_api.h"
#include "wine_registry.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

struct pex_registry_key {
    bool in_use;
    char path[512]; // relative to HKEY_LOCAL_MACHINE
};

namespace {

constexpr int MAX_OPEN_KEYS = 8;
pex_registry_key open_keys[MAX_OPEN_KEYS];

// Access rights that would let the caller change the key; the file is only read.
constexpr REGSAM WRITE_RIGHTS = 0x0002 /* set value */ | 0x0004 /* create sub key */ |
                                0x0020 /* create link */ | 0x10000 /* delete */ |
                                0x40000 /* write DAC */ | 0x80000 /* write owner */;

constexpr LSTATUS ERROR_NOT_ENOUGH_MEMORY_STATUS = 8;

// Builds the file name; false when there is none or it does not fit.
bool registry_file_name(char* name, size_t size) {
    const char* prefix = std::getenv("WINEPREFIX");
    int length;
    if (prefix != nullptr && prefix[0] != '\0') {
        length = std::snprintf(name, size, "%s/system.reg", prefix);
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] == '\0')
            return false;
        length = std::snprintf(name, size, "%s/.wine/system.reg", home);
    }
    return length > 0 && static_cast<size_t>(length) < size;
}

// Runs one lookup over the registry file; false when the file cannot be read (a special
// file or one far too large included).
bool lookup(const char* key_path, const char* value_name, uint8_t* data, uint32_t capacity,
            reg_lookup* result) {
    char name[4096];
    return registry_file_name(name, sizeof name) &&
           wine_registry_file_lookup(name, key_path, value_name, data, capacity, result) ==
               REG_FILE_READ;
}

pex_registry_key* key_of(HKEY key) {
    for (auto& slot : open_keys) {
        if (key == &slot && slot.in_use)
            return &slot;
    }
    return nullptr;
}

} // namespace

LSTATUS RegOpenKeyExA(HKEY key, LPCSTR sub_key, DWORD options, REGSAM access, PHKEY result) {
    (void)options;
    if (result == nullptr)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    const char* base = "";
    if (key != HKEY_LOCAL_MACHINE) {
        pex_registry_key* open = key_of(key);
        if (open == nullptr)
            return ERROR_INVALID_HANDLE;
        base = open->path;
    }
    if (access & WRITE_RIGHTS)
        return ERROR_ACCESS_DENIED;

    char path[sizeof open_keys[0].path];
    const char* rest = sub_key != nullptr ? sub_key : "";
    int length = (base[0] != '\0' && rest[0] != '\0')
                     ? std::snprintf(path, sizeof path, "%s\\%s", base, rest)
                     : std::snprintf(path, sizeof path, "%s", base[0] != '\0' ? base : rest);
    if (length < 0 || static_cast<size_t>(length) >= sizeof path)
        return ERROR_FILE_NOT_FOUND;

    reg_lookup found{};
    if (!lookup(path, nullptr, nullptr, 0, &found) || !found.key_exists)
        return ERROR_FILE_NOT_FOUND;
    for (auto& slot : open_keys) {
        if (!slot.in_use) {
            slot.in_use = true;
            std::memcpy(slot.path, path, static_cast<size_t>(length) + 1);
            *result = &slot;
            return ERROR_SUCCESS;
        }
    }
    return ERROR_NOT_ENOUGH_MEMORY_STATUS;
}

LSTATUS RegQueryValueExA(HKEY key, LPCSTR value_name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                         LPDWORD data_size) {
    if (reserved != nullptr || (data != nullptr && data_size == nullptr))
        return ERROR_INVALID_PARAMETER;
    const char* path = "";
    if (key != HKEY_LOCAL_MACHINE) {
        pex_registry_key* open = key_of(key);
        if (open == nullptr)
            return ERROR_INVALID_HANDLE;
        path = open->path;
    }
    uint32_t capacity = (data != nullptr && data_size != nullptr) ? *data_size : 0;
    reg_lookup found{};
    if (!lookup(path, value_name != nullptr ? value_name : "", data, capacity, &found) ||
        !found.key_exists || !found.value_found)
        return ERROR_FILE_NOT_FOUND;
    if (type != nullptr)
        *type = found.type;
    if (data_size != nullptr)
        *data_size = found.size;
    if (data != nullptr && found.size > capacity)
        return ERROR_MORE_DATA;
    return ERROR_SUCCESS;
}

LSTATUS RegCloseKey(HKEY key) {
    if (key == HKEY_LOCAL_MACHINE)
        return ERROR_SUCCESS;
    pex_registry_key* open = key_of(key);
    if (open == nullptr)
        return ERROR_INVALID_HANDLE;
    open->in_use = false;
    return ERROR_SUCCESS;
}
