// A demo Windows directory for trying the driver browser without a Wine prefix: sample
// driver files with version strings, plus Wine's own 16-bit driver modules when present.
#pragma once

#include <string>
#include <vector>

namespace tolvane::demo {

// One sample driver file: its name and the whole of its contents.
struct SampleDriver {
    std::string name;
    std::vector<unsigned char> contents;
};

// The sample driver files, built in memory: 8-bit version strings behind the marker
// (several with Windows-1252 characters such as the copyright sign), one file without
// version information, one with 16-bit strings only, one without a version, and an empty
// one. The same bytes on every call.
std::vector<SampleDriver> sampleDrivers();

// Writes root/drive_c/windows/system with the sample drivers and root/drive_c/windows/
// desktop. Copies the *.drv16 files of wineLibDir (or, when wineLibDir is empty, of the
// first place Wine keeps its 16-bit driver modules that has any) into the system directory
// as *.drv, leaving out names
// that would clash with a sample. Returns the names written, in the order written; throws
// std::filesystem::filesystem_error when a directory or file cannot be written.
std::vector<std::string> writeDemoWindowsDirectory(const std::string& root,
                                                   const std::string& wineLibDir);

} // namespace tolvane::demo
