// The registry of a Wine prefix, on systems without a Windows registry.
#include "registry.h"
#include "wine_registry.h"

#include <cstdio>
#include <cstdlib>

long registry_read(const char* key, const char* value, uint32_t* type, uint8_t* data,
                   uint32_t* size) {
    const uint32_t capacity = *size;
    *type = 0;
    *size = 0;
    char file[4096];
    const char* prefix = std::getenv("WINEPREFIX");
    const char* home = std::getenv("HOME");
    int length = prefix != nullptr && prefix[0] != '\0'
                     ? std::snprintf(file, sizeof file, "%s/system.reg", prefix)
                 : home != nullptr && home[0] != '\0'
                     ? std::snprintf(file, sizeof file, "%s/.wine/system.reg", home)
                     : -1;
    reg_lookup found{};
    if (length < 0 || static_cast<size_t>(length) >= sizeof file ||
        wine_registry_file_lookup(file, key, value, data, capacity, &found) != REG_FILE_READ ||
        !found.value_found)
        return REGISTRY_NOT_FOUND;
    *type = found.type;
    *size = found.size;
    return found.size > capacity ? REGISTRY_LARGER_THAN_BUFFER : REGISTRY_READ;
}
