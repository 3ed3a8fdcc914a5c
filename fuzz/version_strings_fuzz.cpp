// Differential fuzzing of the driver browser's version-string search: the scan must give
// the same three captions as the literal reading of the scan, on any bytes, both as text
// (through its byte runs, the file fed whole and in pieces of a size the last byte says)
// and through the main window's caption collector, which with little memory keeps the
// start of each caption.
#include "ansi_codepage.h"
#include "driver_info.h"
#include "tests/reference_version_scan.h"
#include "version_scan.h"
#include "version_strings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// Memory for the caption collector, as much as the budget allows.
struct Memory {
    std::size_t budget;
    std::vector<std::vector<uint8_t>> blocks;
};

// A collected caption must be the start of the expected one, and all of it with memory enough.
void checkCollected(const char* text, const std::u16string& expected, bool whole) {
    std::size_t n = 0;
    for (; text[n] != '\0'; ++n) {
        if (n == expected.size() ||
            tolvane::ansiToChar(static_cast<uint8_t>(text[n])) != expected[n]) {
            std::abort();
        }
    }
    if (whole && n != expected.size()) {
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
    const std::size_t piece = size == 0 ? 1 : std::size_t{data[size - 1]} + 1;
    if (!(tolvane::extractVersionCaptions(data, size, piece) == literal)) {
        std::abort();
    }

    // The collector the main window uses, with as much memory as the first byte says.
    const bool plenty = size == 0 || data[0] >= 128;
    Memory memory{plenty ? SIZE_MAX : std::size_t{data[0]} * 8, {}};
    tolvane::FileSeam seam{};
    seam.context = &memory;
    seam.memory = [](void* context, std::size_t bytes) -> uint8_t* {
        auto* m = static_cast<Memory*>(context);
        if (bytes > m->budget) {
            return nullptr;
        }
        m->budget -= bytes;
        m->blocks.emplace_back(bytes);
        return m->blocks.back().data();
    };
    tolvane::CaptionCollector collector(seam);
    tolvane::scanVersionStrings(data, size, tolvane::ScanMemory{&memory, seam.memory},
                                collector.sink());
    checkCollected(collector.text(tolvane::ValueLabel::Description), literal.description, plenty);
    checkCollected(collector.text(tolvane::ValueLabel::Vendor), literal.vendor, plenty);
    checkCollected(collector.text(tolvane::ValueLabel::Version), literal.version, plenty);
    return 0;
}
