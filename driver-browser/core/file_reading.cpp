#include "file_reading.h"

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

FileFailure scanFile(const FileSeam& file, uint64_t size, const CaptionSink& sink) {
    VersionScan scan(size, ScanMemory{file.context, file.memory});
    if (size > 0) {
        const std::size_t piece =
            size < kReadChunkSize ? static_cast<std::size_t>(size) : kReadChunkSize;
        uint8_t* buffer = file.memory(file.context, piece);
        if (buffer == nullptr) {
            return FileFailure::OutOfMemory;
        }
        for (uint64_t offset = 0; offset < size;) {
            const uint64_t data = file.dataFrom ? file.dataFrom(file.context, offset) : offset;
            if (data > offset) {
                const uint64_t hole = (data < size ? data : size) - offset;
                if (!scan.feedZeros(hole)) {
                    break;
                }
                offset += hole;
                continue;
            }
            const uint64_t left = size - offset;
            const std::size_t chunk = left < piece ? static_cast<std::size_t>(left) : piece;
            if (const FileFailure failed = file.read(file.context, offset, buffer, chunk);
                failed != FileFailure::None) {
                return failed;
            }
            if (!scan.feed(buffer, chunk)) {
                break; // the captions are decided: the rest plays no part
            }
            offset += chunk;
        }
    }
    scan.finish(sink);
    return FileFailure::None;
}

} // namespace

void readVersionStrings(const FileSeam& file, const char* path, const CaptionSink& sink) {
    uint64_t size = 0;
    FileFailure failed = file.open(file.context, path, &size);
    if (failed == FileFailure::None) {
        failed = scanFile(file, size, sink);
    }
    if (failed != FileFailure::None) {
        unreadableFileCaptions(fileFailureReason(failed), sink);
    }
}

} // namespace tolvane
