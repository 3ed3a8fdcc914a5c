// libFuzzer target for fx_from_text: any bytes, terminated, must read back a value in
// -32767..32767 without reading past the terminator; and the value's own text must read
// back to the same value.
#include "fx_convert.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy with the terminator last: the address sanitizer catches any read
    // past it.
    std::vector<char> text(data, data + size);
    text.push_back('\0');
    const int16_t value = fx_from_text(text.data());
    if (value < -32767) {
        std::abort();
    }

    char written[9] = {};
    const int32_t length = fx_to_text(value, written);
    if (length != (value < 0 ? 7 : 6) || written[length] != ' ') {
        std::abort();
    }
    if (fx_from_text(written) != value) {
        std::abort();
    }
    return 0;
}
