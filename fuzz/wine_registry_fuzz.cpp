// Fuzz target: the registry file reader on any file. The first byte chooses the key and the
// value looked up (as asked for, and as a file may write them) and the buffer's size. What
// comes back is consistent and within the buffer, and a value appended under its key always
// reads back exactly.
#include "wine_registry.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Exactly `capacity` bytes of buffer, so that the sanitizer sees any write past them.
reg_lookup look(const uint8_t* bytes, size_t size, const char* key, const char* name,
                uint32_t capacity, std::vector<uint8_t>* value) {
    uint8_t* buffer = capacity > 0 ? static_cast<uint8_t*>(std::malloc(capacity)) : nullptr;
    reg_lookup result;
    wine_registry_lookup_bytes(bytes, size, key, name, buffer, capacity, &result);
    // Nothing but a found value has a size, and no value is larger than the file.
    if ((!result.value_found && (result.type != 0 || result.size != 0)) || result.size > size + 1)
        std::abort();
    if (value != nullptr)
        value->assign(buffer, buffer + std::min(result.size, capacity));
    std::free(buffer);
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const keys[][2] = {
        {"Software\\Corvelline\\Saltremb\\Hardware",
         "[software\\\\CORVELLINE\\\\Saltremb\\\\hardware] 1796763883"},
        {"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
         "  [Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\User Shell "
         "Folders]"},
        {"Volatile Environment", "[Volatile Environment]"}};
    static const char* const names[][2] = {
        {"MMX", "\"mmx\""}, {"", "@"}, {"Desktop", "\t\"DESKTOP\""}, {"T\tb", "\"T\\tb\""}};
    const unsigned choice = size > 0 ? data[0] : 0;
    const char* const* key = keys[choice % 3];
    const char* const* name = names[choice / 3 % 4];
    const uint32_t capacity = (choice & 0x80) != 0 ? 80 : choice % 5;

    look(data, size, key[0], name[0], capacity, nullptr);

    // An empty line ends whatever the file left open (a hex value's continuation included).
    std::string file(reinterpret_cast<const char*>(data), size);
    file +=
        std::string("\n\n") + key[1] + "\r\n" + name[1] + " = str(2):\"\\x20ac\\\\\\\"\\101\"\n";
    std::vector<uint8_t> value;
    const reg_lookup appended = look(reinterpret_cast<const uint8_t*>(file.data()), file.size(),
                                     key[0], name[0], 80, &value);
    const uint8_t expected[] = {0x80, '\\', '"', 'A', 0};
    if (!appended.value_found || appended.type != 2 || appended.size != sizeof expected ||
        value != std::vector<uint8_t>(expected, expected + sizeof expected))
        std::abort();
    return 0;
}
