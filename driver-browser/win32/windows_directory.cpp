#include "windows_directory.h"

#include "heap_text.h"
#include "windows_file.h"

#include "core/name_order.h"
#include "core/path_text.h"

namespace tolvane {

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
    // Every entry, by its real name: a pattern in the query would match short names too.
    const size_t length = joinChildPath(dir, '\\', "*", nullptr, 0);
    HeapText query;
    char* room = query.reserve(length);
    if (room == nullptr)
        return FileFailure::OutOfMemory;
    joinChildPath(dir, '\\', "*", room, length + 1);
    self->search_ = FindFirstFileA(query.c_str(), &self->found_);
    if (self->search_ != INVALID_HANDLE_VALUE) {
        self->first_ = true;
        return FileFailure::None;
    }
    const DWORD error = GetLastError();
    // An empty directory may have no entry at all (a drive root has no "." either).
    const DWORD attributes = GetFileAttributesA(dir);
    if ((error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) &&
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return FileFailure::None;
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_DIRECTORY) {
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return FileFailure::NotFound;
        return FileFailure::NotADirectory;
    }
    return WindowsFile::failureOf(error);
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

void insertSorted(HWND listBox, int first, const char* text) {
    int low = first;
    int high = static_cast<int>(SendMessageA(listBox, LB_GETCOUNT, 0, 0));
    HeapText entry;
    while (low < high) {
        const int middle = (low + high) / 2;
        const LRESULT length = SendMessageA(listBox, LB_GETTEXTLEN, middle, 0);
        char* room = entry.reserve(length > 0 ? static_cast<size_t>(length) : 0);
        if (room == nullptr)
            return;
        SendMessageA(listBox, LB_GETTEXT, middle, reinterpret_cast<LPARAM>(room));
        if (compareNames(room, text) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    SendMessageA(listBox, LB_INSERTSTRING, low, reinterpret_cast<LPARAM>(text));
}

namespace {

bool sameFullPath(void*, const char* a, const char* b) {
    HeapText x;
    HeapText y;
    return fullPath(a, x) && fullPath(b, y) && equalIgnoringCase(x.c_str(), y.c_str());
}

void addToDriverList(void* listBox, const char* name) {
    insertSorted(static_cast<HWND>(listBox), 0, name);
}

} // namespace

DirectoryIdentitySeam windowsDirectoryIdentity() {
    return DirectoryIdentitySeam{nullptr, &sameFullPath};
}

void fillDriverList(HWND listBox, const char* directory, const char* patterns) {
    SendMessageA(listBox, WM_SETREDRAW, FALSE, 0);
    SendMessageA(listBox, LB_RESETCONTENT, 0, 0);
    WindowsDirectory reader;
    listDriverFiles(reader.seam(), directory, patterns, NameSink{listBox, &addToDriverList});
    SendMessageA(listBox, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listBox, NULL, TRUE);
}

} // namespace tolvane
