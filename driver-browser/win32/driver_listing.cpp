#include "driver_listing.h"

#include "ansi_text.h"

namespace tolvane {

namespace {

// Inserts name at its place in the (already sorted) list box, unless it is there.
void insertSorted(HWND listBox, const char* name) {
    int low = 0;
    int high = static_cast<int>(SendMessageA(listBox, LB_GETCOUNT, 0, 0));
    char entry[MAX_PATH];
    while (low < high) {
        const int middle = (low + high) / 2;
        SendMessageA(listBox, LB_GETTEXT, middle, reinterpret_cast<LPARAM>(entry));
        const int order = compareIgnoringCase(entry, name);
        if (order == 0)
            return;
        if (order < 0)
            low = middle + 1;
        else
            high = middle;
    }
    SendMessageA(listBox, LB_INSERTSTRING, low, reinterpret_cast<LPARAM>(name));
}

void addMatches(HWND listBox, const char* directory, const char* pattern) {
    char query[MAX_PATH];
    copyText(query, sizeof query, directory);
    appendText(query, sizeof query, "\\");
    appendText(query, sizeof query, pattern);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(query, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    const DWORD leftOut = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        if ((found.dwFileAttributes & leftOut) == 0)
            insertSorted(listBox, found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

} // namespace

void fillDriverList(HWND listBox, const char* directory, const char* patterns) {
    SendMessageA(listBox, WM_SETREDRAW, FALSE, 0);
    SendMessageA(listBox, LB_RESETCONTENT, 0, 0);
    char pattern[MAX_PATH];
    size_t n = 0;
    for (const char* p = patterns;; ++p) {
        if (*p == ';' || *p == '\0') {
            pattern[n] = '\0';
            if (n > 0)
                addMatches(listBox, directory, pattern);
            n = 0;
            if (*p == '\0')
                break;
        } else if (n + 1 < sizeof pattern) {
            pattern[n++] = *p;
        }
    }
    SendMessageA(listBox, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listBox, NULL, TRUE);
}

} // namespace tolvane
