// pexmoor_setting: prints the stored MMX setting as the library reads it (0 Auto, 1 Off,
// 2 On). Then, for each value named in the environment variable PEXMOOR_SETTING_VALUES
// (blank-separated; "MMX" when it is not set), one line with what RegQueryValueExA returned
// for it in the setting's key with the setting's 80-byte buffer:
//   status S type T size N data HH HH ...
// (the data only with status 0). Used to check that every build reads the registry as Wine
// itself does.
#include "mmx_mode.h"
#include "platform.h"
#include "registry_api.h"
#include "text_format.h"

namespace {

void print_value(const pex_console* out, HKEY key, const char* name) {
    BYTE buffer[80];
    DWORD type = 0;
    DWORD size = sizeof buffer;
    LSTATUS status = key != nullptr ? RegQueryValueExA(key, name, nullptr, &type, buffer, &size)
                                    : ERROR_FILE_NOT_FOUND;
    if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) {
        type = 0;
        size = 0;
    }
    console_print(out, "status %ld type %lu size %lu%s", static_cast<long>(status),
                  static_cast<unsigned long>(type), static_cast<unsigned long>(size),
                  status == ERROR_SUCCESS ? " data" : "");
    for (DWORD i = 0; status == ERROR_SUCCESS && i < size; ++i) {
        const char hex[] = {' ', "0123456789abcdef"[buffer[i] >> 4],
                            "0123456789abcdef"[buffer[i] & 15], '\0'};
        console_text(out, hex);
    }
    console_text(out, "\n");
}

} // namespace

int console_main(int, const char* const*) {
    const pex_console* out = stdio_console();
    console_print(out, "%d\n", static_cast<int>(read_mmx_setting()));

    char names[4096];
    const char* list =
        environment_value("PEXMOOR_SETTING_VALUES", names, sizeof names) ? names : "MMX";
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Corvelline\\Saltremb\\Hardware", 0, KEY_READ,
                      &key) != ERROR_SUCCESS)
        key = nullptr;
    for (const char* p = list; *p != '\0';) {
        char name[256];
        size_t length = 0;
        for (; *p != '\0' && *p != ' '; ++p)
            name[length < sizeof name - 1 ? length++ : length] = *p;
        name[length] = '\0';
        if (length > 0)
            print_value(out, key, name);
        for (; *p == ' '; ++p) {
        }
    }
    if (key != nullptr)
        RegCloseKey(key);
    return 0;
}
