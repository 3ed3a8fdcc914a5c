// Fuzz target: the browser's registry reader on any text, names chosen by the first byte: a
// value has no more characters than the file bytes; one appended under its key always wins.
#include "wine_registry.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    // Each key and value name as asked for, and as the file may write it.
    static const char* const kKeys[][2] = {
        {"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
         "[software\\\\microsoft\\\\windows\\\\currentversion\\\\explorer\\\\user shell folders]"},
        {"Volatile Environment", "[Volatile Environment]"},
        {"Control Panel\\Desktop", "[Control Panel\\\\Desktop] 1796821637"}};
    static const char* const kNames[][2] = {{"Desktop", "\"DESKTOP\""},
                                            {"", "@"},
                                            {"USERPROFILE", "\"UserProfile\""},
                                            {"T\tb", "\"T\\tb\""}};
    const unsigned choice = size > 0 ? data[0] : 0;
    const char* const* key = kKeys[choice % 3];
    const char* const* name = kNames[choice / 3 % 4];

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
