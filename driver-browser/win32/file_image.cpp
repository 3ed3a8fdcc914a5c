#include "file_image.h"

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

FileImage::~FileImage() {
    if (bytes_ != nullptr)
        HeapFree(GetProcessHeap(), 0, bytes_);
}

bool FileImage::read(const char* path, char* reason, DWORD capacity) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        describeError(GetLastError(), reason, capacity);
        return false;
    }
    bool ok = false;
    DWORD high = 0;
    const DWORD size = GetFileSize(file, &high);
    if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
        describeError(GetLastError(), reason, capacity);
    } else if (high != 0 || size > 0x7FFFFFFF) {
        copyText(reason, capacity, "the file is too large");
    } else if (size == 0) {
        ok = true;
    } else {
        bytes_ = static_cast<unsigned char*>(HeapAlloc(GetProcessHeap(), 0, size));
        DWORD got = 0;
        if (bytes_ == nullptr)
            copyText(reason, capacity, "not enough memory");
        else if (!ReadFile(file, bytes_, size, &got, NULL))
            describeError(GetLastError(), reason, capacity);
        else if (got != size)
            copyText(reason, capacity, "the file changed while it was read");
        else
            ok = true;
        if (ok)
            size_ = size;
    }
    CloseHandle(file);
    return ok;
}

} // namespace tolvane
