// changedir, "Select Path": the drive list (GetLogicalDriveStringsA) and the directory list,
// whose rules (the open branch, the subdirectories and their order, the path behind an
// entry, a drive's directory, the load and its restore on failure) are the core's. Opening
// a directory (double click, or Enter on the highlighted entry) changes the open path;
// highlighting alone does not. There is no default or cancel button: Enter and Escape act on
// the focused control only.
#include "dialog_support.h"
#include "resource_ids.h"
#include "tolvane_windows.h"
#include "win32_platform.h"

#include "core/select_path.h"

namespace tolvane {

namespace {

struct ChangedirState {
    HWND window = NULL;
    HWND drive1 = NULL;
    HWND dir1 = NULL;
    const char* listPath = nullptr;
    HeapText* newpath = nullptr;
    char letters[26] = {}; // Drive1's drives, as the system names them
    int drives = 0;
    int shownDrive = -1;    // the drive whose directory Dir1 shows
    char driveName[3] = {}; // "c:", as Drive1 shows it and as last asked
    char driveRoot[4] = {}; // "C:\", as last asked
    HeapText path;          // Dir1's open path: "C:\" or "C:\DIR\SUB"
    int branchEntries = 0;  // entries 0 .. branchEntries - 1 are the open branch
    HeapText current;       // the process's current directory, as last asked
    bool pending = false;   // a failure during the load, told once the dialog is up
    HeapText pendingDir;
    HeapText pendingReason;
    WindowsDirectory directory;
};

ChangedirState* stateOf(HWND window) {
    return reinterpret_cast<ChangedirState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

ChangedirState* self(void* context) {
    return static_cast<ChangedirState*>(context);
}

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

void tellNow(HWND window, const char* dir, const char* reason) {
    HeapText text;
    const size_t length = cannotOpenText(dir, reason, nullptr, 0);
    if (char* room = text.reserve(length))
        cannotOpenText(dir, reason, room, length + 1);
    MessageBoxA(window, text.c_str(), "Select Path", kWarningStyle);
}

// --- The two lists as the core's Select Path rules see them ------------------------------

const char* seamCurrentDirectory(void* context) {
    HeapText& current = self(context)->current;
    const DWORD needed = GetCurrentDirectoryA(0, NULL);
    char* room = current.reserve(needed);
    if (room == nullptr || needed == 0)
        return "";
    const DWORD got = GetCurrentDirectoryA(needed, room);
    return got > 0 && got < needed ? room : "";
}

int seamDriveCount(void* context) {
    return self(context)->drives;
}

// Drive index's letter, or none for an index that names no drive.
char letterOf(const ChangedirState* state, int index) {
    return index >= 0 && index < state->drives ? state->letters[index] : '\0';
}

const char* seamDriveName(void* context, int index) {
    char* name = self(context)->driveName;
    name[0] = lower(letterOf(self(context), index));
    name[1] = name[0] == '\0' ? '\0' : ':';
    return name;
}

// "c:" opens at "C:\", written as the system writes the current directory.
const char* seamDriveRoot(void* context, int index) {
    char* root = self(context)->driveRoot;
    root[0] = upper(letterOf(self(context), index));
    root[1] = root[0] == '\0' ? '\0' : ':';
    root[2] = root[0] == '\0' ? '\0' : '\\';
    return root;
}

// The drive's own current directory, as the system keeps one for every drive. Wine answers
// "c:" with a trailing separator ("C:\WINDOWS\"), which fullPath drops.
const char* seamDriveCurrentDirectory(void* context, int index) {
    HeapText& current = self(context)->current;
    return fullPath(seamDriveName(context, index), current) ? current.c_str()
                                                            : seamDriveRoot(context, index);
}

int seamShownDrive(void* context) {
    return self(context)->shownDrive;
}

void seamShowDrive(void* context, int index) {
    self(context)->shownDrive = index;
    SendMessageA(self(context)->drive1, CB_SETCURSEL, index, 0);
}

void seamClearDirectories(void* context) {
    SendMessageA(self(context)->dir1, WM_SETREDRAW, FALSE, 0);
    SendMessageA(self(context)->dir1, LB_RESETCONTENT, 0, 0);
    self(context)->branchEntries = 0;
}

// Dir1's entry for a directory: kBranchIndent once a level, then its name.
bool indented(HeapText& text, const char* name, size_t length, int depth) {
    const size_t indent = sizeof kBranchIndent - 1;
    char* room = text.reserve(indent * static_cast<size_t>(depth) + length);
    if (room == nullptr)
        return false;
    for (int level = 0; level < depth; ++level, room += indent)
        CopyMemory(room, kBranchIndent, indent);
    CopyMemory(room, name, length);
    room[length] = '\0';
    return true;
}

void seamAddBranchEntry(void* context, const char* name, size_t length, int depth) {
    HeapText text;
    if (!indented(text, name, length, depth))
        return;
    SendMessageA(self(context)->dir1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    ++self(context)->branchEntries;
}

// Each subdirectory at its place among those after the branch.
void seamAddSubdirectory(void* context, const char* name, int depth) {
    HeapText text;
    if (indented(text, name, std::strlen(name), depth))
        insertSorted(self(context)->dir1, self(context)->branchEntries, text.c_str());
}

void seamSetOpenPath(void* context, const char* path) {
    ChangedirState* state = self(context);
    state->path.assign(path);
    SendMessageA(state->dir1, LB_SETCURSEL, state->branchEntries - 1, 0);
    SendMessageA(state->dir1, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(state->dir1, NULL, TRUE);
}

const char* seamOpenPath(void* context) {
    return self(context)->path.c_str();
}

// During the load the dialog is not up yet: the message waits for it.
void seamTellOpenFailed(void* context, const char* dir, const char* reason) {
    ChangedirState* state = self(context);
    if (IsWindowVisible(state->window)) {
        tellNow(state->window, dir, reason);
        return;
    }
    state->pendingDir.assign(dir);
    state->pendingReason.assign(reason);
    if (!state->pending)
        PostMessageA(state->window, WM_APP, 0, 0);
    state->pending = true;
}

SelectPathSeam seamOf(ChangedirState* state) {
    return {state,
            '\\',
            true,
            state->directory.seam(),
            &seamCurrentDirectory,
            &seamDriveCurrentDirectory,
            &seamDriveCount,
            &seamDriveName,
            &seamDriveRoot,
            &seamShownDrive,
            &seamShowDrive,
            &seamClearDirectories,
            &seamAddBranchEntry,
            &seamAddSubdirectory,
            &seamSetOpenPath,
            &seamOpenPath,
            &seamTellOpenFailed};
}

// --- Events ----------------------------------------------------------------------------

void openHighlighted(ChangedirState* state) {
    const int index = static_cast<int>(SendMessageA(state->dir1, LB_GETCURSEL, 0, 0));
    const LRESULT entryLength = SendMessageA(state->dir1, LB_GETTEXTLEN, index, 0);
    HeapText entry;
    char* name = index >= 0 && entryLength >= 0 ? entry.reserve(entryLength) : nullptr;
    if (name == nullptr)
        return;
    SendMessageA(state->dir1, LB_GETTEXT, index, reinterpret_cast<LPARAM>(name));
    while (*name == ' ')
        ++name;
    const char* open = state->path.c_str();
    const size_t length = pathBehindEntry(open, '\\', index, name, nullptr, 0);
    HeapText target;
    char* room = target.reserve(length);
    if (room == nullptr)
        return;
    pathBehindEntry(open, '\\', index, name, room, length + 1);
    const FileFailure failed = openDirectory(seamOf(state), room);
    if (failed != FileFailure::None) {
        SendMessageA(state->dir1, LB_SETCURSEL, state->branchEntries - 1, 0);
        tellNow(state->window, room, fileFailureReason(failed));
    }
}

void load(ChangedirState* state) {
    char drives[26 * 4 + 1]; // "C:\" and a zero byte a drive, and a zero byte
    const DWORD n = GetLogicalDriveStringsA(sizeof drives, drives);
    for (const char* d = drives; n > 0 && n < sizeof drives && *d != '\0';
         d += std::strlen(d) + 1) {
        state->letters[state->drives++] = d[0];
        const char entry[3] = {lower(d[0]), ':', '\0'};
        SendMessageA(state->drive1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    }
    // Drive1 starts on the drive of the current directory, without a Change.
    const SelectPathSeam seam = seamOf(state);
    state->shownDrive = driveHolding(seam, seamCurrentDirectory(state));
    SendMessageA(state->drive1, CB_SETCURSEL, state->shownDrive, 0);
    loadSelectPath(seam, state->listPath);
}

} // namespace

INT_PTR CALLBACK changedirProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ChangedirState* state = stateOf(window);
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
        state = stateOf(window);
        state->window = window;
        state->drive1 = GetDlgItem(window, IDC_changedir_Drive1);
        state->dir1 = GetDlgItem(window, IDC_changedir_Dir1);
        setUpWindow(window, IDD_changedir, IDI_changedir);
        load(state);
        SetFocus(state->dir1);
        return FALSE; // the focus is set
    case WM_APP:
        // A failure of the load: the dialog comes up first, then the message on top of it.
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
        state->pending = false;
        tellNow(window, state->pendingDir.c_str(), state->pendingReason.c_str());
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_changedir_Command1:
            if (const char* answer = selectPathAnswer(seamOf(state)))
                state->newpath->assign(answer);
            EndDialog(window, IDOK);
            break;
        case IDC_changedir_Command2:
            EndDialog(window, IDCANCEL);
            break;
        case IDC_changedir_Drive1:
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                const int index = static_cast<int>(SendMessageA(state->drive1, CB_GETCURSEL, 0, 0));
                if (index >= 0)
                    selectPathDriveChanged(seamOf(state), index);
            }
            break;
        case IDC_changedir_Dir1:
            if (HIWORD(wParam) == LBN_DBLCLK)
                openHighlighted(state);
            break;
        case IDOK: // Enter on a control that is not a button
            if (GetFocus() == state->dir1)
                openHighlighted(state);
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

void showchangedir(HWND owner, const char* listPath, HeapText& newpath) {
    ChangedirState state;
    state.listPath = listPath;
    state.newpath = &newpath;
    DialogBoxParamA(programInstance(), MAKEINTRESOURCEA(IDD_changedir), owner, changedirProc,
                    reinterpret_cast<LPARAM>(&state));
}

} // namespace tolvane
