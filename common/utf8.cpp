#include "utf8.h"

size_t utf8_decode(const uint8_t* bytes, size_t size, uint32_t* code_point) {
    static const uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const uint8_t lead = size > 0 ? bytes[0] : 0xFF;
    const size_t length = lead < 0x80   ? 1
                          : lead < 0xC2 ? 0
                          : lead < 0xE0 ? 2
                          : lead < 0xF0 ? 3
                          : lead < 0xF5 ? 4
                                        : 0;
    if (length == 0 || size < length)
        return 0;
    uint32_t value = length == 1 ? lead : lead & (0x7Fu >> length);
    for (size_t n = 1; n < length; ++n) {
        if ((bytes[n] & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (bytes[n] & 0x3Fu);
    }
    if (value < smallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    *code_point = value;
    return length;
}

size_t utf8_encode(uint32_t code_point, uint8_t* out) {
    const size_t length = code_point < 0x80      ? 1
                          : code_point < 0x800   ? 2
                          : code_point < 0x10000 ? 3
                                                 : 4;
    const uint8_t lead[] = {0, 0, 0xC0, 0xE0, 0xF0};
    for (size_t n = length - 1; n > 0; --n, code_point >>= 6)
        out[n] = static_cast<uint8_t>(0x80 | (code_point & 0x3F));
    out[0] = static_cast<uint8_t>(lead[length] | code_point);
    return length;
}
