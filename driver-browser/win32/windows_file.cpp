#include "windows_file.h"

#include "ansi_text.h"

namespace tolvane {

void describeError(DWORD error, char* text, DWORD capacity) {
    if (capacity == 0)
        return;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
                             error, 0, text, capacity, NULL);
    while (n > 0 &&
           (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == ' ' || text[n - 1] == '.'))
        --n;
    text[n] = '\0';
    if (n == 0) {
        copyText(text, capacity, "error ");
        char digits[12];
        wsprintfA(digits, "%lu", static_cast<unsigned long>(error));
        appendText(text, capacity, digits);
    }
}

WindowsFile::~WindowsFile() {
    if (file_ != INVALID_HANDLE_VALUE)
        CloseHandle(file_);
    while (blocks_ != nullptr) {
        Block* next = blocks_->next;
        HeapFree(GetProcessHeap(), 0, blocks_);
        blocks_ = next;
    }
}

FileSeam WindowsFile::seam() {
    // No data-from call: Windows 95 has no sparse files.
    return FileSeam{this, &WindowsFile::open, &WindowsFile::read, &WindowsFile::memory, nullptr};
}

FileFailure WindowsFile::failureOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
        return FileFailure::NotFound;
    case ERROR_ACCESS_DENIED:
        return FileFailure::AccessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return FileFailure::InUse;
    case ERROR_DIRECTORY:
        return FileFailure::NotADirectory;
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW:
        return FileFailure::NameTooLong;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return FileFailure::OutOfMemory;
    case ERROR_HANDLE_EOF:
        return FileFailure::Shrunk;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_NOT_READY:
    case ERROR_SECTOR_NOT_FOUND:
        return FileFailure::InputOutput;
    default:
        return FileFailure::Other;
    }
}

FileFailure WindowsFile::open(void* context, const char* path, uint64_t* size) {
    WindowsFile* self = static_cast<WindowsFile*>(context);
    self->file_ = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (self->file_ == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // A directory cannot be opened as a file: the system says "access denied".
        const DWORD attributes = GetFileAttributesA(path);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            return FileFailure::IsDirectory;
        return failureOf(error);
    }
    // A pipe, a console or another device (under Wine also a FIFO or a link to one) may
    // never end or wait for a writer: only files on a disk are read.
    if (GetFileType(self->file_) != FILE_TYPE_DISK)
        return FileFailure::NotRegularFile;
    DWORD high = 0;
    const DWORD low = GetFileSize(self->file_, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return failureOf(GetLastError());
    *size = (static_cast<uint64_t>(high) << 32) | low;
    return FileFailure::None;
}

FileFailure WindowsFile::read(void* context, uint64_t offset, uint8_t* buffer, size_t size) {
    WindowsFile* self = static_cast<WindowsFile*>(context);
    HANDLE file = self->file_;
    // Reads mostly go on where the last one ended: the file pointer is moved only when not.
    LONG high = static_cast<LONG>(offset >> 32);
    if (offset != self->position_ &&
        SetFilePointer(file, static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN) ==
            INVALID_SET_FILE_POINTER &&
        GetLastError() != NO_ERROR)
        return failureOf(GetLastError());
    self->position_ = offset;
    size_t done = 0;
    while (done < size) {
        const size_t left = size - done;
        const DWORD part = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
        DWORD got = 0;
        if (!ReadFile(file, buffer + done, part, &got, NULL))
            return failureOf(GetLastError());
        self->position_ += got;
        if (got == 0)
            return FileFailure::Shrunk;
        done += got;
    }
    return FileFailure::None;
}

uint8_t* WindowsFile::memory(void* context, size_t size) {
    WindowsFile* self = static_cast<WindowsFile*>(context);
    // Each block starts with its link; what follows is aligned as the heap aligns.
    const size_t header = 16;
    if (size > static_cast<size_t>(-1) - header)
        return nullptr;
    Block* block = static_cast<Block*>(HeapAlloc(GetProcessHeap(), 0, header + size));
    if (block == nullptr)
        return nullptr;
    block->next = self->blocks_;
    self->blocks_ = block;
    return reinterpret_cast<uint8_t*>(block) + header;
}

} // namespace tolvane
