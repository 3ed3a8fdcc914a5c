// pexmoor_setting: prints the stored MMX setting as the library reads it (0 Auto, 1 Off,
// 2 On), then what the registry call returned for the value with the setting's 80-byte
// buffer: "status S type T size N". Used to check that every build reads the registry
// alike.
#include "console.h"
#include "console_main.h"
#include "mmx_mode.h"
#include "registry_api.h"

int console_main() {
    const pex_console* out = stdio_console();
    console_print(out, "%d\n", static_cast<int>(read_mmx_setting()));

    HKEY key = nullptr;
    LSTATUS status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Corvelline\\Saltremb\\Hardware",
                                   0, KEY_READ, &key);
    DWORD type = 0;
    DWORD size = 80;
    if (status == ERROR_SUCCESS) {
        BYTE buffer[80];
        status = RegQueryValueExA(key, "MMX", nullptr, &type, buffer, &size);
        RegCloseKey(key);
    } else {
        size = 0;
    }
    if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) {
        type = 0;
        size = 0;
    }
    console_print(out, "status %ld type %lu size %lu\n", static_cast<long>(status),
                  static_cast<unsigned long>(type), static_cast<unsigned long>(size));
    return 0;
}
