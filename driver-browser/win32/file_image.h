// A whole file read into memory in one piece (CreateFileA, ReadFile), freed on destruction.
#pragma once

#include <windows.h>

namespace tolvane {

class FileImage {
public:
    FileImage() = default;
    FileImage(const FileImage&) = delete;
    FileImage& operator=(const FileImage&) = delete;
    ~FileImage();

    // Reads the file at path. False when it cannot be opened or read, with the system's
    // reason in plain words in reason[capacity].
    bool read(const char* path, char* reason, DWORD capacity);

    const unsigned char* bytes() const { return bytes_; }
    DWORD size() const { return size_; }

private:
    unsigned char* bytes_ = nullptr;
    DWORD size_ = 0;
};

// The system's text for an error code, without the trailing line break.
void describeError(DWORD error, char* text, DWORD capacity);

} // namespace tolvane
