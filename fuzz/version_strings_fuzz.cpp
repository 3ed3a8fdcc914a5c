// Differential fuzzing of the driver browser's version-string search: the fast search
// must give the same three captions as the literal reading of the scan, on any bytes.
#include "tests/reference_version_scan.h"
#include "version_strings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const tolvane::VersionCaptions fast = tolvane::extractVersionCaptions(data, size);
    const tolvane::VersionCaptions literal = tolvane::reference::scanLiterally(data, size);
    if (!(fast == literal)) {
        std::abort();
    }
    return 0;
}
