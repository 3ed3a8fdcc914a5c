// Differential fuzzing of the driver browser's version-string search: the scan must give
// the same three captions as the literal reading of the scan, on any bytes, both as text
// (through its byte runs) and in caller buffers as small as the input's first byte says.
#include "ansi_codepage.h"
#include "tests/reference_version_scan.h"
#include "version_scan.h"
#include "version_strings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// A buffer caption must be the first capacity - 1 characters of the expected one, with the
// expected one's full length; nothing may be written behind the capacity.
void checkBuffer(const tolvane::CaptionBuffer& buffer, const std::vector<char>& storage,
                 const std::u16string& expected) {
    if (buffer.length != expected.size() || storage[buffer.capacity] != '#') {
        std::abort();
    }
    if (buffer.capacity == 0) {
        return;
    }
    const std::size_t kept =
        expected.size() < buffer.capacity - 1 ? expected.size() : buffer.capacity - 1;
    for (std::size_t n = 0; n < kept; ++n) {
        if (tolvane::ansiToChar(static_cast<uint8_t>(buffer.text[n])) != expected[n]) {
            std::abort();
        }
    }
    if (buffer.text[kept] != '\0') {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const tolvane::VersionCaptions fast = tolvane::extractVersionCaptions(data, size);
    const tolvane::VersionCaptions literal = tolvane::reference::scanLiterally(data, size);
    if (!(fast == literal)) {
        std::abort();
    }

    const std::size_t capacity = size > 0 ? data[0] % 64 : 0;
    std::vector<char> description(capacity + 1, '#'), vendor(capacity + 1, '#'),
        version(capacity + 1, '#');
    tolvane::CaptionBuffers buffers{{description.data(), capacity, 0},
                                    {vendor.data(), capacity, 0},
                                    {version.data(), capacity, 0}};
    tolvane::scanVersionStrings(data, size, buffers);
    checkBuffer(buffers.description, description, literal.description);
    checkBuffer(buffers.vendor, vendor, literal.vendor);
    checkBuffer(buffers.version, version, literal.version);
    return 0;
}
