// Fuzz target: the driver browser's registry file reader on any file text, the key and
// value names chosen by the input's first byte. Besides the sanitizers' checks: a value
// never holds more characters than the file has bytes, and a well-formed value appended
// under the key's header always wins, whatever came before it.
#include "wine_registry.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    // Each key as asked for and as its header is written.
    static const char* const kKeys[][2] = {
        {"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
         "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\User Shell Folders]"},
        {"software\\microsoft\\windows\\currentversion\\explorer\\shell folders",
         "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell Folders] 1"},
        {"Volatile Environment", "[VOLATILE ENVIRONMENT] 1796821637"},
        {"Control Panel\\Desktop", "[Control Panel\\\\Desktop]"}};
    static const char* const kNames[][2] = {{"Desktop", "\"Desktop\""},
                                            {"desktop", "\"DeskTop\""},
                                            {"", "@"},
                                            {"USERPROFILE", "\"userprofile\""},
                                            {"HOMESHARE", "\"HOMESHARE\""},
                                            {"Tab\tName", "\"Tab\\tName\""}};
    const unsigned choice = size > 0 ? data[0] : 0;
    const char* const* key = kKeys[choice % 4];
    const char* const* name = kNames[choice / 4 % 6];

    // The fuzzer's own buffer first, so the sanitizer sees any read past its end.
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<std::string> text = tolvane::wineRegistryString(bytes, key[0], name[0]);
    if (text && text->size() > size) {
        std::abort();
    }
    const std::string file = std::string(bytes) + "\n" + key[1] + "\r\n" + name[1] +
                             "=str(2):\"\\x20ac\\\\\\\"\\101\"\n";
    if (tolvane::wineRegistryString(file, key[0], name[0]) != std::string("\x80\\\"A")) {
        std::abort();
    }
    return 0;
}
