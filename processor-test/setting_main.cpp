// pexmoor_setting: prints the stored MMX setting as the library reads it (0 Auto, 1 Off,
// 2 On). Then, for each value named in the environment variable PEXMOOR_SETTING_VALUES
// (blank-separated; "MMX" when it is not set), one line with what RegQueryValueExA returned
// for it in the setting's key with the setting's 80-byte buffer:
//   status S type T size N data HH HH ...
// (the data only with status 0). Used to check that every build reads the registry as Wine
// itself does.
#include "mmx_mode.h"
#include "registry.h"
#include "text_format.h"

namespace {

void print_value(const pex_console* out, const char* name) {
    uint8_t buffer[80];
    uint32_t type = 0;
    uint32_t size = sizeof buffer;
    long status =
        registry_read("Software\\Corvelline\\Saltremb\\Hardware", name, &type, buffer, &size);
    console_print(out, "status %d type %lu size %lu%s", static_cast<int>(status),
                  static_cast<unsigned long>(type), static_cast<unsigned long>(size),
                  status == REGISTRY_READ ? " data" : "");
    for (uint32_t i = 0; status == REGISTRY_READ && i < size; ++i) {
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
    for (const char* p = list; *p != '\0';) {
        char name[256];
        size_t length = 0;
        for (; *p != '\0' && *p != ' '; ++p)
            name[length < sizeof name - 1 ? length++ : length] = *p;
        name[length] = '\0';
        if (length > 0)
            print_value(out, name);
        for (; *p == ' '; ++p) {
        }
    }
    return 0;
}
