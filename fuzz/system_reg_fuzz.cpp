// Fuzz target: the registry file reader on arbitrary file contents. It looks up the MMX
// setting's key and value, with buffers of several sizes, and checks the sizes it reports.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "system_reg.h"

namespace {

struct memory_bytes {
    const uint8_t* data;
    size_t size;
    size_t position;
};

int next_byte(void* context) {
    auto* m = static_cast<memory_bytes*>(context);
    if (m->position >= m->size)
        return -1;
    return m->data[m->position++];
}

void look(const uint8_t* data, size_t size, const char* value_name, uint32_t capacity) {
    memory_bytes m{data, size, 0};
    reg_byte_source source{next_byte, &m};
    // Exactly `capacity` bytes, so the sanitizer sees any write past them.
    uint8_t* buffer = capacity > 0 ? static_cast<uint8_t*>(std::malloc(capacity)) : nullptr;
    reg_lookup result;
    system_reg_lookup(&source, "Software\\Corvelline\\Saltremb\\Hardware", value_name, buffer,
                      capacity, &result);
    if (result.stored > capacity || (result.value_found && !result.key_exists))
        std::abort();
    if (result.value_found && result.stored != (result.size < capacity ? result.size : capacity))
        std::abort();
    if (!result.value_found && result.stored != 0)
        std::abort();
    std::free(buffer);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    look(data, size, "MMX", 80);
    look(data, size, "MMX", 1);
    look(data, size, "", 3);
    look(data, size, nullptr, 0);
    return 0;
}
