#include "file_reading.h"

#include "marker_search.h"

namespace tolvane {

const char* fileFailureReason(FileFailure failure) {
    switch (failure) {
    case FileFailure::None:
        return "";
    case FileFailure::NotFound:
        return "it no longer exists";
    case FileFailure::AccessDenied:
        return "permission denied";
    case FileFailure::InUse:
        return "another program is using it";
    case FileFailure::IsDirectory:
        return "it is a directory";
    case FileFailure::NotRegularFile:
        return "it is not a regular file";
    case FileFailure::NotADirectory:
        return "its path is not a directory path";
    case FileFailure::NameTooLong:
        return "its name is too long";
    case FileFailure::TooManyLinks:
        return "too many symbolic links";
    case FileFailure::TooLarge:
        return "it is too large";
    case FileFailure::OutOfMemory:
        return "not enough memory";
    case FileFailure::Shrunk:
        return "it became shorter while being read";
    case FileFailure::InputOutput:
        return "input/output error";
    case FileFailure::Other:
        break;
    }
    return "the system could not read it";
}

namespace {

FileFailure scanFile(const FileSeam& file, std::size_t size, const CaptionSink& sink) {
    if (size == 0) {
        scanVersionStrings(nullptr, 0, sink);
        return FileFailure::None;
    }
    uint8_t* buffer = file.memory(file.context, size < kReadChunkSize ? size : kReadChunkSize);
    if (buffer == nullptr) {
        return FileFailure::OutOfMemory;
    }
    std::size_t offset = 0;
    for (;;) {
        const std::size_t left = size - offset;
        const std::size_t chunk = left < kReadChunkSize ? left : kReadChunkSize;
        if (const FileFailure failed = file.read(file.context, offset, buffer, chunk);
            failed != FileFailure::None) {
            return failed;
        }
        const uint8_t* end = buffer + chunk;
        const uint8_t* hit = findMarker(buffer, end);
        if (hit != end) {
            if (chunk == left) {
                scanVersionStrings(hit, static_cast<std::size_t>(end - hit), sink);
                return FileFailure::None;
            }
            // The search behind the first marker gives the same captions for the file from
            // that marker on as for the whole file.
            const std::size_t at = offset + static_cast<std::size_t>(hit - buffer);
            uint8_t* rest = file.memory(file.context, size - at);
            if (rest == nullptr) {
                return FileFailure::OutOfMemory;
            }
            if (const FileFailure failed = file.read(file.context, at, rest, size - at);
                failed != FileFailure::None) {
                return failed;
            }
            scanVersionStrings(rest, size - at, sink);
            return FileFailure::None;
        }
        if (chunk == left) {
            break;
        }
        // The chunks overlap so that a marker across their border is seen.
        offset += chunk - (kMarkerSize - 1);
    }
    // No marker: the captions of a file without version information.
    scanVersionStrings(nullptr, 0, sink);
    return FileFailure::None;
}

} // namespace

void readVersionStrings(const FileSeam& file, const char* path, const CaptionSink& sink) {
    uint64_t size = 0;
    FileFailure failed = file.open(file.context, path, &size);
    if (failed == FileFailure::None && size > static_cast<std::size_t>(-1)) {
        failed = FileFailure::TooLarge;
    }
    if (failed == FileFailure::None) {
        failed = scanFile(file, static_cast<std::size_t>(size), sink);
    }
    if (failed != FileFailure::None) {
        unreadableFileCaptions(fileFailureReason(failed), sink);
    }
}

} // namespace tolvane
