// The Win32 calls behind the core's seams: files, directories, the desktop folders, the
// shortcut's write and the default printer, with text of any length on the process heap.
#pragma once

#include <windows.h>

#include "core/directory_listing.h"
#include "core/print_report.h"
#include "core/shortcut_file.h"

#include <cstring>

namespace tolvane {

// Text of any length on the process heap, freed with its owner: what the front-end holds
// paths and lines in, instead of fixed buffers that would cut them.
class HeapText {
public:
    HeapText() = default;
    HeapText(const HeapText&) = delete;
    HeapText& operator=(const HeapText&) = delete;
    ~HeapText() { release(); }

    const char* c_str() const { return text_ != nullptr ? text_ : ""; }
    // Makes the text text[0..length); false, keeping the old one, when memory runs out.
    bool assign(const char* text, size_t length);
    bool assign(const char* text) { return assign(text, std::strlen(text)); }
    // Room for length characters and the zero byte, holding "" until written; null when
    // memory runs out.
    char* reserve(size_t length);

private:
    void release();

    char* text_ = nullptr;
};

// The system's text for an error code, without the trailing line break and full stop;
// "error N" when it has none.
void describeError(DWORD error, char* text, DWORD capacity);

// The file seam: CreateFileA, GetFileSize and ReadFile, with memory from the process heap;
// the file is closed and the memory freed with the object.
class WindowsFile {
public:
    WindowsFile() = default;
    WindowsFile(const WindowsFile&) = delete;
    WindowsFile& operator=(const WindowsFile&) = delete;
    ~WindowsFile();

    FileSeam seam();

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

// The directory seam: FindFirstFileA and FindNextFileA on "dir\*", every entry by its real
// name (the rules match the names; a pattern in the query would match short names too).
class WindowsDirectory {
public:
    WindowsDirectory() = default;
    WindowsDirectory(const WindowsDirectory&) = delete;
    WindowsDirectory& operator=(const WindowsDirectory&) = delete;
    ~WindowsDirectory();

    DirectorySeam seam();

private:
    static FileFailure open(void* context, const char* dir);
    static bool next(void* context, DirectoryEntry* entry);

    HANDLE search_ = INVALID_HANDLE_VALUE;
    bool first_ = false; // found_ holds the first entry, not yet handed out
    WIN32_FIND_DATAA found_;
};

// The full path of path (GetFullPathNameA) into text, its drive letter in upper case and
// without a trailing separator below a root ("c:\DIR\" gives "C:\DIR"); false when there
// is none.
bool fullPath(const char* path, HeapText& text);

// Two names of one directory: their full paths are equal, ignoring case.
DirectoryIdentitySeam windowsDirectoryIdentity();

// folderExists: GetFileAttributesA says it is a directory. userDesktop: the shell's
// CSIDL_DESKTOPDIRECTORY (SHGetSpecialFolderLocation, SHGetPathFromIDListA), which every
// Windows 95 has; with user profiles and on NT the user's own folder, without profiles the
// Windows directory's "desktop".
DesktopFolders shellDesktopFolders();

// The shortcut seam's write: CreateFileA and WriteFile. A pipe or a device there (under Wine
// a FIFO, a link to /dev/null) takes the bytes and keeps none: it is refused in plain words.
bool writeShortcut(void* context, const char* path, const char* bytes, size_t size, char* reason);

// The default printer through GDI, found the Windows 95 way: GetProfileStringA("windows",
// "device") gives "name,driver,port". One document: StartDocA and StartPage at the first
// line, one TextOutA per line in the printer's default font, a new page when the next line
// does not fit, EndDoc at the end; a failure's reason is GDI's error code in the system's
// words.
class GdiPrinter {
public:
    GdiPrinter() = default;
    GdiPrinter(const GdiPrinter&) = delete;
    GdiPrinter& operator=(const GdiPrinter&) = delete;
    ~GdiPrinter();

    // Its open, printLine and endDocument; memory and warn are left to the window.
    PrinterSeam seam();

private:
    static bool open(void* context);
    static void printLine(void* context, const char* text, size_t length);
    static bool endDocument(void* context, const char** reason);
    void fail();

    HDC dc_ = NULL;
    bool started_ = false;
    bool failed_ = false;
    DWORD error_ = 0; // why the first failing call failed
    int y_ = 0;
    int lineHeight_ = 0;
    int pageHeight_ = 0;
    char reason_[256] = {};
};

} // namespace tolvane
