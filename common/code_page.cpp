#include "code_page.h"

namespace {

// The characters of the bytes 0x80..0x9F.
const uint16_t cp1252_high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

uint16_t cp1252_to_unit(uint8_t byte) {
    return (byte >= 0x80 && byte <= 0x9F) ? cp1252_high[byte - 0x80] : byte;
}

uint8_t unit_to_cp1252(uint16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<uint8_t>(unit);
    for (int i = 0; i < 32; ++i) {
        if (cp1252_high[i] == unit)
            return static_cast<uint8_t>(0x80 + i);
    }
    return '?';
}
