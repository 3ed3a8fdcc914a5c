#include "file_reading.h"

namespace tolvane {

const char* fileFailureReason(FileFailure failure) {
    // In the order of FileFailure.
    static const char* const kReasons[] = {"",
                                           "it no longer exists",
                                           "permission denied",
                                           "another program is using it",
                                           "it is a directory",
                                           "it is not a regular file",
                                           "its path is not a directory path",
                                           "its name is too long",
                                           "too many symbolic links",
                                           "it is too large",
                                           "not enough memory",
                                           "it became shorter while being read",
                                           "input/output error",
                                           "the system could not read it"};
    constexpr auto kOther = static_cast<std::size_t>(FileFailure::Other);
    static_assert(sizeof kReasons / sizeof kReasons[0] == kOther + 1, "a reason for each");
    const auto index = static_cast<std::size_t>(failure);
    return kReasons[index < kOther ? index : kOther];
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
