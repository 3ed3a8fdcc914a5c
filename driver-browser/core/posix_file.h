// The file seam over the POSIX calls (Linux builds): open, fstat and pread, with memory for
// the contents from the system, all given back when the object goes.
#pragma once

#include "file_reading.h"

#include <cstddef>
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

    struct Block {
        void* address;
        std::size_t size;
        bool mapped;
    };
    int fd_ = -1;
    std::vector<Block> blocks_;
};

} // namespace tolvane
