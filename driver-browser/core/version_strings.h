// The version strings of a driver file as text: the scan of version_scan.h with its byte
// runs turned into characters through the ANSI code page (Windows-1252 here).
#pragma once

#include "version_scan.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace tolvane {

// The three captions the main window shows for a driver, exactly as they are displayed.
struct VersionCaptions {
    std::u16string description;
    std::u16string vendor;
    std::u16string version;

    friend bool operator==(const VersionCaptions& a, const VersionCaptions& b) {
        return a.description == b.description && a.vendor == b.vendor && a.version == b.version;
    }
};

// The default captions of version_scan.h as characters.
inline const std::u16string kNoInformation(std::begin(kNoInformationText),
                                           std::end(kNoInformationText) - 1);
inline const std::u16string kNotAvailable(std::begin(kNotAvailableText),
                                          std::end(kNotAvailableText) - 1);

// A sink that appends the scan's byte runs, as characters, to the three captions.
CaptionSink versionCaptionsSink(VersionCaptions& captions);

// Memory for the scan from the heap, given back with the object.
class HeapScanMemory {
public:
    ScanMemory memory();

private:
    std::vector<std::unique_ptr<uint8_t[]>> blocks_;
};

// The captions for a file whose whole contents are bytes[0..size), fed to the scan in
// pieces of pieceSize bytes (the last one shorter), each copied into a buffer of its own;
// pieces of zero bytes only are fed as zeros (feedZeros).
VersionCaptions extractVersionCaptions(const uint8_t* bytes, std::size_t size,
                                       std::size_t pieceSize = SIZE_MAX);

// Linux builds: reads the file at path (readVersionStrings over open and pread) and
// extracts its captions. A file that cannot be opened or read does not fail: description
// says in plain words why, vendor and version are "N/A".
VersionCaptions readVersionCaptions(const std::string& path);

} // namespace tolvane
