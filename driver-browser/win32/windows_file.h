// The file seam over the Win32 calls: CreateFileA, GetFileSize and ReadFile, with memory
// from the process heap; the file is closed and the memory freed with the object.
#pragma once

#include <windows.h>

#include "core/file_reading.h"

namespace tolvane {

class WindowsFile {
public:
    WindowsFile() = default;
    WindowsFile(const WindowsFile&) = delete;
    WindowsFile& operator=(const WindowsFile&) = delete;
    ~WindowsFile();

    FileSeam seam();

    // The kind of failure behind a system error code.
    static FileFailure failureOf(DWORD error);

private:
    static FileFailure open(void* context, const char* path, uint64_t* size);
    static FileFailure read(void* context, uint64_t offset, uint8_t* buffer, size_t size);
    static uint8_t* memory(void* context, size_t size);

    struct Block {
        Block* next;
    };
    HANDLE file_ = INVALID_HANDLE_VALUE;
    uint64_t position_ = 0; // where the file pointer stands
    Block* blocks_ = nullptr;
};

// The system's text for an error code, without the trailing line break.
void describeError(DWORD error, char* text, DWORD capacity);

} // namespace tolvane
