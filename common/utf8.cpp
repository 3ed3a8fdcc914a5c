#include "utf8.h"

size_t utf8_decode(const uint8_t* bytes, size_t size, uint32_t* code_point) {
    if (size == 0)
        return 0;
    const uint8_t lead = bytes[0];
    size_t length = 0;
    uint32_t value = 0;
    uint32_t smallest = 0;
    if (lead < 0x80) {
        *code_point = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1Fu;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0Fu;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
        smallest = 0x10000;
    } else {
        return 0;
    }
    if (size < length)
        return 0;
    for (size_t n = 1; n < length; ++n) {
        if ((bytes[n] & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (bytes[n] & 0x3Fu);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    *code_point = value;
    return length;
}

size_t utf8_encode(uint32_t code_point, uint8_t* out) {
    if (code_point < 0x80) {
        out[0] = static_cast<uint8_t>(code_point);
        return 1;
    }
    if (code_point < 0x800) {
        out[0] = static_cast<uint8_t>(0xC0 | (code_point >> 6));
        out[1] = static_cast<uint8_t>(0x80 | (code_point & 0x3F));
        return 2;
    }
    if (code_point < 0x10000) {
        out[0] = static_cast<uint8_t>(0xE0 | (code_point >> 12));
        out[1] = static_cast<uint8_t>(0x80 | ((code_point >> 6) & 0x3F));
        out[2] = static_cast<uint8_t>(0x80 | (code_point & 0x3F));
        return 3;
    }
    out[0] = static_cast<uint8_t>(0xF0 | (code_point >> 18));
    out[1] = static_cast<uint8_t>(0x80 | ((code_point >> 12) & 0x3F));
    out[2] = static_cast<uint8_t>(0x80 | ((code_point >> 6) & 0x3F));
    out[3] = static_cast<uint8_t>(0x80 | (code_point & 0x3F));
    return 4;
}
