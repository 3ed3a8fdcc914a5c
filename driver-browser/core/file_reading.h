// Reading a driver file for its version strings: the platform opens and reads behind
// FileSeam, the core decides what is read when, and one set of plain-word reasons,
// chosen by the kind of failure, tells the user why a file could not be read.
#pragma once

#include "version_scan.h"

#include <cstddef>
#include <cstdint>

namespace tolvane {

// Why a file could not be read, as both platforms' errors map onto it.
enum class FileFailure : uint8_t {
    None,
    NotFound,       // the file (or a directory on its path) is gone
    AccessDenied,   // no permission to read it
    InUse,          // another program holds it locked
    IsDirectory,    // the name is a directory
    NotRegularFile, // a device, a pipe, a socket
    NotADirectory,  // a part of the path is a file
    NameTooLong,    // the path is longer than the system takes
    TooManyLinks,   // symbolic links loop or nest too deeply
    TooLarge,       // larger than this program can hold
    OutOfMemory,    // no memory for its contents
    Shrunk,         // it ended before its size said, while being read
    InputOutput,    // the medium could not be read
    Other,          // anything else the system reports
};

// The reason in plain words, to follow kUnreadableFileText ("it no longer exists").
const char* fileFailureReason(FileFailure failure);

// One file read by the platform. The context closes the file and frees the memory it handed
// out when its owner is done with it.
struct FileSeam {
    void* context;
    // Opens path for reading; None with *size its size in bytes, else why not.
    FileFailure (*open)(void* context, const char* path, uint64_t* size);
    // Reads exactly size bytes at offset into buffer: None, Shrunk when the file ends first,
    // or why not.
    FileFailure (*read)(void* context, uint64_t offset, uint8_t* buffer, std::size_t size);
    // size bytes of memory that stay until the context's owner is done; null when there is
    // not enough.
    uint8_t* (*memory)(void* context, std::size_t size);
    // Where the file's data goes on at or after offset: past a hole of a sparse file, whose
    // bytes read as zeros, else offset itself. May be null: the platform cannot tell.
    uint64_t (*dataFrom)(void* context, uint64_t offset);
};

// Bytes read at a time (the whole file when smaller).
inline constexpr std::size_t kReadChunkSize = std::size_t{1} << 20;

// Opens path, reads it and hands its captions to sink; a file that cannot be opened or
// read gives the captions of unreadableFileCaptions with the reason. The file is read in
// chunks through one buffer, from its start up to where the captions are decided (its end
// when no FileVersion is found), so a file of any size is read in the same memory; the
// holes of a sparse file are not read at all.
void readVersionStrings(const FileSeam& file, const char* path, const CaptionSink& sink);

} // namespace tolvane
