// The file seam over the POSIX calls (Linux builds): open (openat relative to the file's
// directory where the whole path is too long), fstat, pread and lseek's SEEK_DATA for the
// holes of a sparse file, with memory from the heap, all given back when the object goes.
#pragma once

#include "file_reading.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace tolvane {

class PosixFile {
public:
    PosixFile() = default;
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;
    ~PosixFile();

    FileSeam seam();

    // The kind of failure behind an errno value.
    static FileFailure failureOf(int error);

private:
    static FileFailure open(void* context, const char* path, uint64_t* size);
    static FileFailure read(void* context, uint64_t offset, uint8_t* buffer, std::size_t size);
    static uint8_t* memory(void* context, std::size_t size);
    static uint64_t dataFrom(void* context, uint64_t offset);

    int fd_ = -1;
    bool sparse_ = false;
    std::vector<std::unique_ptr<uint8_t[]>> blocks_;
};

} // namespace tolvane
