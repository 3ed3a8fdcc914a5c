#include "win32_platform.h"

#include <shlobj.h>

#include "core/path_text.h"

namespace tolvane {

// --- Text on the heap ----------------------------------------------------------------------

void HeapText::release() {
    if (text_ != nullptr)
        HeapFree(GetProcessHeap(), 0, text_);
    text_ = nullptr;
}

char* HeapText::reserve(size_t length) {
    char* room = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, length + 1));
    if (room == nullptr)
        return nullptr;
    room[0] = '\0';
    release();
    text_ = room;
    return room;
}

bool HeapText::assign(const char* text, size_t length) {
    // Into new memory first: text may be this text itself.
    char* room = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, length + 1));
    if (room == nullptr)
        return false;
    CopyMemory(room, text, length);
    room[length] = '\0';
    release();
    text_ = room;
    return true;
}

void describeError(DWORD error, char* text, DWORD capacity) {
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
                             error, 0, text, capacity, NULL);
    while (n > 0 &&
           (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == ' ' || text[n - 1] == '.'))
        --n;
    text[n] = '\0';
    if (n == 0) {
        char digits[12];
        wsprintfA(digits, "%lu", static_cast<unsigned long>(error));
        joinTexts({"error ", digits}, text, capacity);
    }
}

// --- Files -----------------------------------------------------------------------------------

namespace {

FileFailure failureOf(DWORD error) {
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

bool isDirectory(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

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

FileFailure WindowsFile::open(void* context, const char* path, uint64_t* size) {
    WindowsFile* self = static_cast<WindowsFile*>(context);
    self->file_ = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (self->file_ == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // A directory cannot be opened as a file: the system says "access denied".
        if (isDirectory(GetFileAttributesA(path)))
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

// --- Directories ---------------------------------------------------------------------------

WindowsDirectory::~WindowsDirectory() {
    if (search_ != INVALID_HANDLE_VALUE)
        FindClose(search_);
}

DirectorySeam WindowsDirectory::seam() {
    return DirectorySeam{this, &WindowsDirectory::open, &WindowsDirectory::next};
}

FileFailure WindowsDirectory::open(void* context, const char* dir) {
    WindowsDirectory* self = static_cast<WindowsDirectory*>(context);
    if (self->search_ != INVALID_HANDLE_VALUE)
        FindClose(self->search_);
    self->search_ = INVALID_HANDLE_VALUE;
    self->first_ = false;
    const size_t length = joinChildPath(dir, '\\', "*", nullptr, 0);
    HeapText query;
    char* room = query.reserve(length);
    if (room == nullptr)
        return FileFailure::OutOfMemory;
    joinChildPath(dir, '\\', "*", room, length + 1);
    self->search_ = FindFirstFileA(room, &self->found_);
    if (self->search_ != INVALID_HANDLE_VALUE) {
        self->first_ = true;
        return FileFailure::None;
    }
    const DWORD error = GetLastError();
    // An empty directory may have no entry at all (a drive root has no "." either).
    const DWORD attributes = GetFileAttributesA(dir);
    if ((error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) && isDirectory(attributes))
        return FileFailure::None;
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_DIRECTORY)
        return attributes == INVALID_FILE_ATTRIBUTES ? FileFailure::NotFound
                                                     : FileFailure::NotADirectory;
    return failureOf(error);
}

bool WindowsDirectory::next(void* context, DirectoryEntry* entry) {
    WindowsDirectory* self = static_cast<WindowsDirectory*>(context);
    if (self->search_ == INVALID_HANDLE_VALUE)
        return false;
    if (!self->first_ && !FindNextFileA(self->search_, &self->found_))
        return false;
    self->first_ = false;
    const DWORD attributes = self->found_.dwFileAttributes;
    entry->name = self->found_.cFileName;
    entry->directory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry->regularFile = !entry->directory;
    entry->hidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    entry->system = (attributes & FILE_ATTRIBUTE_SYSTEM) != 0;
    return true;
}

bool fullPath(const char* path, HeapText& text) {
    char* filePart = NULL;
    const DWORD needed = GetFullPathNameA(path, 0, NULL, &filePart);
    if (needed == 0)
        return false;
    char* room = text.reserve(needed);
    if (room == nullptr)
        return false;
    const DWORD got = GetFullPathNameA(path, needed, room, &filePart);
    if (got == 0 || got >= needed)
        return false;
    if (room[0] >= 'a' && room[0] <= 'z' && room[1] == ':')
        room[0] = static_cast<char>(room[0] - 'a' + 'A'); // Wine keeps "d:" as it was asked
    return text.assign(room, got > 3 && room[got - 1] == '\\' ? got - 1 : got);
}

DirectoryIdentitySeam windowsDirectoryIdentity() {
    return {nullptr, [](void*, const char* a, const char* b) {
                HeapText x;
                HeapText y;
                return fullPath(a, x) && fullPath(b, y) && equalIgnoringCase(x.c_str(), y.c_str());
            }};
}

// --- The desktop shortcut ------------------------------------------------------------------

namespace {

bool userDesktop(void*, char* buffer, size_t capacity) {
    LPITEMIDLIST desktop = nullptr;
    char path[MAX_PATH];
    const bool found =
        SUCCEEDED(SHGetSpecialFolderLocation(NULL, CSIDL_DESKTOPDIRECTORY, &desktop)) &&
        desktop != nullptr && SHGetPathFromIDListA(desktop, path);
    IMalloc* allocator = nullptr;
    if (desktop != nullptr && SUCCEEDED(SHGetMalloc(&allocator))) {
        allocator->Free(desktop);
        allocator->Release();
    }
    return found && path[0] != '\0' && joinTexts({path}, buffer, capacity) < capacity;
}

} // namespace

DesktopFolders shellDesktopFolders() {
    return {nullptr, [](void*, const char* path) { return isDirectory(GetFileAttributesA(path)); },
            &userDesktop};
}

bool writeShortcut(void*, const char* path, const char* bytes, size_t size, char* reason) {
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD error = 0;
    const char* refused = nullptr;
    if (file == INVALID_HANDLE_VALUE) {
        error = GetLastError();
    } else {
        DWORD written = 0;
        if (GetFileType(file) != FILE_TYPE_DISK)
            refused = fileFailureReason(FileFailure::NotRegularFile);
        else if (!WriteFile(file, bytes, static_cast<DWORD>(size), &written, NULL))
            error = GetLastError();
        else if (written != size)
            error = ERROR_DISK_FULL;
        if (!CloseHandle(file) && error == 0 && refused == nullptr)
            error = GetLastError();
    }
    if (refused != nullptr)
        joinTexts({refused}, reason, kReasonCapacity);
    else if (error != 0)
        describeError(error, reason, kReasonCapacity);
    return error == 0 && refused == nullptr;
}

// --- The default printer -------------------------------------------------------------------

GdiPrinter::~GdiPrinter() {
    if (dc_ != NULL) {
        if (started_)
            AbortDoc(dc_);
        DeleteDC(dc_);
    }
}

PrinterSeam GdiPrinter::seam() {
    return {this,   &GdiPrinter::open, nullptr, &GdiPrinter::printLine, &GdiPrinter::endDocument,
            nullptr};
}

void GdiPrinter::fail() {
    if (!failed_)
        error_ = GetLastError();
    failed_ = true;
}

bool GdiPrinter::open(void* context) {
    GdiPrinter* self = static_cast<GdiPrinter*>(context);
    char device[256];
    GetProfileStringA("windows", "device", "", device, sizeof device);
    // "name,driver,port"
    char* driver = NULL;
    char* port = NULL;
    for (char* p = device; *p != '\0'; ++p) {
        if (*p != ',')
            continue;
        *p = '\0';
        if (driver == NULL)
            driver = p + 1;
        else if (port == NULL)
            port = p + 1;
    }
    if (device[0] == '\0')
        return false;
    self->dc_ = CreateDCA(driver, device, port, NULL);
    if (self->dc_ == NULL)
        return false;
    TEXTMETRICA metrics;
    GetTextMetricsA(self->dc_, &metrics);
    self->lineHeight_ = metrics.tmHeight + metrics.tmExternalLeading;
    self->pageHeight_ = GetDeviceCaps(self->dc_, VERTRES);
    return true;
}

void GdiPrinter::printLine(void* context, const char* text, size_t length) {
    GdiPrinter* self = static_cast<GdiPrinter*>(context);
    if (self->failed_)
        return;
    if (!self->started_) {
        DOCINFOA document = {};
        document.cbSize = sizeof document;
        document.lpszDocName = "Tolvane";
        if (StartDocA(self->dc_, &document) <= 0 || StartPage(self->dc_) <= 0) {
            self->fail();
            return;
        }
        self->started_ = true;
        self->y_ = 0;
    } else if (self->y_ + self->lineHeight_ > self->pageHeight_) {
        if (EndPage(self->dc_) <= 0 || StartPage(self->dc_) <= 0) {
            self->fail();
            return;
        }
        self->y_ = 0;
    }
    if (length > 0 && !TextOutA(self->dc_, 0, self->y_, text, static_cast<int>(length)))
        self->fail();
    self->y_ += self->lineHeight_;
}

bool GdiPrinter::endDocument(void* context, const char** reason) {
    GdiPrinter* self = static_cast<GdiPrinter*>(context);
    if (self->started_ && !self->failed_) {
        if (EndPage(self->dc_) <= 0 || EndDoc(self->dc_) <= 0)
            self->fail();
        self->started_ = false;
    }
    // An empty report is a document with nothing on it: nothing to hand to the printer.
    if (!self->failed_)
        return true;
    if (self->error_ != 0)
        describeError(self->error_, self->reason_, sizeof self->reason_);
    *reason = self->reason_;
    return false;
}

} // namespace tolvane
