// changedir, "Select Path": the drive list (GetLogicalDriveStringsA) and the directory list,
// which shows the open branch (the drive root down to the open directory, then its
// subdirectories one level deeper). Opening a directory (double click, or Enter on the
// highlighted entry) changes the open path; highlighting alone does not. There is no
// default or cancel button: Enter and Escape act on the focused control only.
#include "ansi_text.h"
#include "dialog_support.h"
#include "file_image.h"
#include "resource_ids.h"
#include "tolvane_windows.h"
#include "twips_layout.h"

namespace tolvane {

namespace {

struct ChangedirState {
    const char* listPath;
    char* newpath;
    int capacity;
    char path[MAX_PATH]; // Dir1's open path: "C:\" or "C:\DIR\SUB"
    int branchEntries;   // entries 0 .. branchEntries - 1 are the open branch
    int shownDrive;      // Drive1's index that matches path
};

ChangedirState* stateOf(HWND window) {
    return reinterpret_cast<ChangedirState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

HWND dir1(HWND window) {
    return GetDlgItem(window, IDC_changedir_Dir1);
}

HWND drive1(HWND window) {
    return GetDlgItem(window, IDC_changedir_Drive1);
}

// The entry text of a directory at a depth of the tree.
void entryText(char* text, size_t capacity, int depth, const char* name) {
    text[0] = '\0';
    for (int i = 0; i < depth; ++i)
        appendText(text, capacity, "  ");
    appendText(text, capacity, name);
}

// Inserts a subdirectory's entry among entries first .. count-1 in case-blind order.
void insertSubdirectory(HWND list, int first, const char* text) {
    int low = first;
    int high = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    char entry[MAX_PATH];
    while (low < high) {
        const int middle = (low + high) / 2;
        SendMessageA(list, LB_GETTEXT, middle, reinterpret_cast<LPARAM>(entry));
        if (compareIgnoringCase(entry, text) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    SendMessageA(list, LB_INSERTSTRING, low, reinterpret_cast<LPARAM>(text));
}

// Opens dir in Dir1. When it cannot be read Dir1 keeps its path and entries, and reason
// gets why.
bool setDir1Path(HWND window, const char* dir, char* reason, DWORD capacity) {
    char query[MAX_PATH];
    copyText(query, sizeof query, dir);
    const size_t length = textLength(query);
    if (length == 0 || query[length - 1] != '\\')
        appendText(query, sizeof query, "\\");
    appendText(query, sizeof query, "*.*");
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(query, &found);
    if (search == INVALID_HANDLE_VALUE) {
        describeError(GetLastError(), reason, capacity);
        return false;
    }
    ChangedirState* state = stateOf(window);
    copyText(state->path, sizeof state->path, dir);
    HWND list = dir1(window);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    // The branch: "C:\", then each directory of the path.
    char text[MAX_PATH];
    char name[MAX_PATH];
    int depth = 0;
    const char* p = dir;
    size_t n = 0;
    for (; *p != '\0' && *p != '\\'; ++p)
        name[n++] = *p;
    name[n++] = '\\';
    name[n] = '\0';
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    while (*p != '\0') {
        while (*p == '\\')
            ++p;
        n = 0;
        for (; *p != '\0' && *p != '\\'; ++p)
            if (n + 1 < sizeof name)
                name[n++] = *p;
        name[n] = '\0';
        if (n == 0)
            break;
        entryText(text, sizeof text, ++depth, name);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    state->branchEntries = depth + 1;
    do {
        const bool directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        const bool hidden = (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
        if (!directory || hidden || lstrcmpA(found.cFileName, ".") == 0 ||
            lstrcmpA(found.cFileName, "..") == 0)
            continue;
        entryText(text, sizeof text, depth + 1, found.cFileName);
        insertSubdirectory(list, state->branchEntries, text);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    SendMessageA(list, LB_SETCURSEL, depth, 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, NULL, TRUE);
    return true;
}

void tellOpenFailed(HWND window, const char* dir, const char* reason) {
    char text[3 * MAX_PATH];
    copyText(text, sizeof text, "The directory ");
    appendText(text, sizeof text, dir);
    appendText(text, sizeof text, " cannot be opened: ");
    appendText(text, sizeof text, reason);
    appendText(text, sizeof text, "\nThe previous drive and directory are kept.");
    MessageBoxA(window, text, "Select Path", MB_OK | MB_ICONWARNING);
}

// The full path of Dir1's entry at index.
void pathOfEntry(HWND window, int index, char* path, size_t capacity) {
    ChangedirState* state = stateOf(window);
    if (index < state->branchEntries) {
        // Cut the open path after its index-th directory.
        copyText(path, capacity, state->path);
        int separators = 0;
        for (size_t i = 0; path[i] != '\0'; ++i) {
            if (path[i] != '\\')
                continue;
            ++separators;
            if (separators == index + 1) {
                path[index == 0 ? i + 1 : i] = '\0';
                break;
            }
        }
        return;
    }
    char entry[MAX_PATH];
    SendMessageA(dir1(window), LB_GETTEXT, index, reinterpret_cast<LPARAM>(entry));
    const char* name = entry;
    while (*name == ' ')
        ++name;
    copyText(path, capacity, state->path);
    const size_t length = textLength(path);
    if (length == 0 || path[length - 1] != '\\')
        appendText(path, capacity, "\\");
    appendText(path, capacity, name);
}

void openHighlighted(HWND window) {
    const int index = static_cast<int>(SendMessageA(dir1(window), LB_GETCURSEL, 0, 0));
    if (index < 0)
        return;
    char path[MAX_PATH];
    pathOfEntry(window, index, path, sizeof path);
    char reason[256];
    if (!setDir1Path(window, path, reason, sizeof reason))
        tellOpenFailed(window, path, reason);
}

// The index of the drive that holds path (same letter, any case), -1 when none does.
int driveIndexOf(HWND window, const char* path) {
    const int count = static_cast<int>(SendMessageA(drive1(window), CB_GETCOUNT, 0, 0));
    char drive[8];
    for (int i = 0; i < count; ++i) {
        SendMessageA(drive1(window), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(drive));
        if (path[0] != '\0' && foldAscii(drive[0]) == foldAscii(path[0]) && path[1] == ':')
            return i;
    }
    return -1;
}

// Change of Drive1: Dir1 goes to the current directory of the chosen drive.
void drive1Change(HWND window) {
    ChangedirState* state = stateOf(window);
    const int index = static_cast<int>(SendMessageA(drive1(window), CB_GETCURSEL, 0, 0));
    if (index < 0)
        return;
    char drive[8];
    SendMessageA(drive1(window), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(drive));
    char target[MAX_PATH];
    char* filePart = NULL;
    if (GetFullPathNameA(drive, sizeof target, target, &filePart) == 0)
        copyText(target, sizeof target, drive);
    char reason[256];
    if (setDir1Path(window, target, reason, sizeof reason)) {
        state->shownDrive = index;
        return;
    }
    SendMessageA(drive1(window), CB_SETCURSEL, state->shownDrive, 0);
    tellOpenFailed(window, target, reason);
}

void fillDrives(HWND window) {
    char drives[256];
    const DWORD n = GetLogicalDriveStringsA(sizeof drives, drives);
    if (n == 0 || n >= sizeof drives)
        return;
    for (const char* d = drives; *d != '\0'; d += textLength(d) + 1) {
        const char entry[3] = {foldAscii(d[0]), ':', '\0'};
        SendMessageA(drive1(window), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    }
}

void load(HWND window) {
    ChangedirState* state = stateOf(window);
    fillDrives(window);
    // Drive1 starts on the drive of the current directory, without a Change.
    char current[MAX_PATH];
    GetCurrentDirectoryA(sizeof current, current);
    state->shownDrive = driveIndexOf(window, current);
    SendMessageA(drive1(window), CB_SETCURSEL, state->shownDrive, 0);
    // 1. Drive1 from the list's path: a different drive raises Change.
    const int listDrive = driveIndexOf(window, state->listPath);
    if (listDrive >= 0 && listDrive != state->shownDrive) {
        SendMessageA(drive1(window), CB_SETCURSEL, listDrive, 0);
        drive1Change(window);
    }
    // 2. Dir1 from the list's path.
    char reason[256];
    if (setDir1Path(window, state->listPath, reason, sizeof reason)) {
        const int index = driveIndexOf(window, state->path);
        if (index >= 0) {
            state->shownDrive = index;
            SendMessageA(drive1(window), CB_SETCURSEL, index, 0);
        }
    } else {
        PostMessageA(window, WM_APP, 0, 0); // tell once the dialog is up
    }
}

} // namespace

INT_PTR CALLBACK changedirProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
        setWindowIcons(window, IDI_changedir);
        applyTwipsLayout(window, IDD_changedir);
        load(window);
        SetFocus(dir1(window));
        return FALSE; // the focus is set
    case WM_APP: {
        char reason[256];
        ChangedirState* state = stateOf(window);
        if (!setDir1Path(window, state->listPath, reason, sizeof reason))
            tellOpenFailed(window, state->listPath, reason);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_changedir_Command1: {
            ChangedirState* state = stateOf(window);
            copyText(state->newpath, static_cast<size_t>(state->capacity), state->path);
            EndDialog(window, IDOK);
            break;
        }
        case IDC_changedir_Command2:
            EndDialog(window, IDCANCEL);
            break;
        case IDC_changedir_Drive1:
            if (HIWORD(wParam) == CBN_SELCHANGE)
                drive1Change(window);
            break;
        case IDC_changedir_Dir1:
            if (HIWORD(wParam) == LBN_DBLCLK)
                openHighlighted(window);
            break;
        case IDOK: // Enter on a control that is not a button
            if (GetFocus() == dir1(window))
                openHighlighted(window);
            break;
        default: // Escape does nothing: there is no cancel button
            break;
        }
        return TRUE;
    case WM_CLOSE: // the window frame: like Cancel
        EndDialog(window, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

void showchangedir(HWND owner, const char* listPath, char* newpath, int capacity) {
    ChangedirState state = {};
    state.listPath = listPath;
    state.newpath = newpath;
    state.capacity = capacity;
    DialogBoxParamA(programInstance(), MAKEINTRESOURCEA(IDD_changedir), owner, changedirProc,
                    reinterpret_cast<LPARAM>(&state));
}

} // namespace tolvane
