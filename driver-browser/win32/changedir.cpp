// changedir, "Select Path": the drive list (GetLogicalDriveStringsA) and the directory list,
// whose rules (the open branch, the subdirectories and their order, the path behind an
// entry, a drive's directory, the load and its restore on failure) are the core's. Opening
// a directory (double click, or Enter on the highlighted entry) changes the open path;
// highlighting alone does not. There is no default or cancel button: Enter and Escape act on
// the focused control only.
#include "dialog_support.h"
#include "heap_text.h"
#include "resource_ids.h"
#include "tolvane_windows.h"
#include "twips_layout.h"
#include "windows_directory.h"

#include "core/path_text.h"
#include "core/select_path.h"
#include "core/user_texts.h"

#include <cstring>

namespace tolvane {

namespace {

struct ChangedirState {
    HWND window;
    const char* listPath;
    HeapText* newpath;
    HeapText path;      // Dir1's open path: "C:\" or "C:\DIR\SUB"
    int branchEntries;  // entries 0 .. branchEntries - 1 are the open branch
    int shownDrive;     // the drive whose directory Dir1 shows
    bool visible;       // the dialog is up: messages may be shown at once
    HeapText current;   // the process's current directory, as last asked
    HeapText driveName; // Drive1's entry, as last asked
    HeapText driveRoot; // a drive's root, as last asked
    bool pending;       // a failure during the load, told once the dialog is up
    HeapText pendingDir;
    HeapText pendingReason;
    WindowsDirectory directory;
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

// The text of a list box or combo box entry into text.
const char* listText(HWND control, UINT lengthMessage, UINT textMessage, int index,
                     HeapText& text) {
    const LRESULT length = SendMessageA(control, lengthMessage, index, 0);
    char* room = text.reserve(length > 0 ? static_cast<size_t>(length) : 0);
    if (room == nullptr)
        return "";
    if (length > 0)
        SendMessageA(control, textMessage, index, reinterpret_cast<LPARAM>(room));
    return room;
}

void tellNow(HWND window, const char* dir, const char* reason) {
    HeapText text;
    const size_t length = cannotOpenText(dir, reason, nullptr, 0);
    if (char* room = text.reserve(length))
        cannotOpenText(dir, reason, room, length + 1);
    MessageBoxA(window, text.c_str(), "Select Path", kWarningStyle);
}

// --- The two lists as the core's Select Path rules see them ------------------------------

ChangedirState* self(void* context) {
    return static_cast<ChangedirState*>(context);
}

const char* seamDriveRoot(void* context, int index);

const char* seamCurrentDirectory(void* context) {
    HeapText& current = self(context)->current;
    const DWORD needed = GetCurrentDirectoryA(0, NULL);
    char* room = current.reserve(needed);
    if (room == nullptr || needed == 0)
        return "";
    const DWORD got = GetCurrentDirectoryA(needed, room);
    return got > 0 && got < needed ? room : "";
}

// The drive's own current directory, as the system keeps one for every drive.
const char* seamDriveCurrentDirectory(void* context, int index) {
    HeapText name;
    listText(drive1(self(context)->window), CB_GETLBTEXTLEN, CB_GETLBTEXT, index, name);
    HeapText& current = self(context)->current;
    // Wine answers "c:" with a trailing separator ("C:\WINDOWS\"), which fullPath drops.
    return fullPath(name.c_str(), current) ? current.c_str() : seamDriveRoot(context, index);
}

int seamDriveCount(void* context) {
    return static_cast<int>(SendMessageA(drive1(self(context)->window), CB_GETCOUNT, 0, 0));
}

const char* seamDriveName(void* context, int index) {
    return listText(drive1(self(context)->window), CB_GETLBTEXTLEN, CB_GETLBTEXT, index,
                    self(context)->driveName);
}

// "c:" opens at "C:\", written as the system writes the current directory.
const char* seamDriveRoot(void* context, int index) {
    HeapText name;
    const char* drive =
        listText(drive1(self(context)->window), CB_GETLBTEXTLEN, CB_GETLBTEXT, index, name);
    const char letter = drive[0] >= 'a' && drive[0] <= 'z' ? drive[0] - 'a' + 'A' : drive[0];
    const char root[] = {letter, ':', '\\', '\0'};
    self(context)->driveRoot.assign(root);
    return self(context)->driveRoot.c_str();
}

int seamShownDrive(void* context) {
    return self(context)->shownDrive;
}

void seamShowDrive(void* context, int index) {
    self(context)->shownDrive = index;
    SendMessageA(drive1(self(context)->window), CB_SETCURSEL, index, 0);
}

void seamClearDirectories(void* context) {
    HWND list = dir1(self(context)->window);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    self(context)->branchEntries = 0;
}

bool indented(HeapText& text, const char* name, size_t length, int depth) {
    char* room = text.reserve(2 * static_cast<size_t>(depth) + length);
    if (room == nullptr)
        return false;
    size_t n = 0;
    for (int level = 0; level < depth; ++level)
        for (const char* c = kBranchIndent; *c != '\0'; ++c)
            room[n++] = *c;
    for (size_t i = 0; i < length; ++i)
        room[n++] = name[i];
    room[n] = '\0';
    return true;
}

void seamAddBranchEntry(void* context, const char* name, size_t length, int depth) {
    HeapText text;
    if (!indented(text, name, length, depth))
        return;
    SendMessageA(dir1(self(context)->window), LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(text.c_str()));
    ++self(context)->branchEntries;
}

// Each subdirectory at its place among those after the branch.
void seamAddSubdirectory(void* context, const char* name, int depth) {
    HeapText text;
    if (indented(text, name, std::strlen(name), depth))
        insertSorted(dir1(self(context)->window), self(context)->branchEntries, text.c_str());
}

void seamSetOpenPath(void* context, const char* path) {
    self(context)->path.assign(path);
    HWND list = dir1(self(context)->window);
    SendMessageA(list, LB_SETCURSEL, self(context)->branchEntries - 1, 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, NULL, TRUE);
}

const char* seamOpenPath(void* context) {
    return self(context)->path.c_str();
}

// During the load the dialog is not up yet: the message waits for it.
void seamTellOpenFailed(void* context, const char* dir, const char* reason) {
    ChangedirState* state = self(context);
    if (state->visible) {
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
    SelectPathSeam seam = {};
    seam.context = state;
    seam.separator = '\\';
    seam.ignoreCase = true;
    seam.directories = state->directory.seam();
    seam.currentDirectory = &seamCurrentDirectory;
    seam.driveCurrentDirectory = &seamDriveCurrentDirectory;
    seam.driveCount = &seamDriveCount;
    seam.driveName = &seamDriveName;
    seam.driveRoot = &seamDriveRoot;
    seam.shownDrive = &seamShownDrive;
    seam.showDrive = &seamShowDrive;
    seam.clearDirectories = &seamClearDirectories;
    seam.addBranchEntry = &seamAddBranchEntry;
    seam.addSubdirectory = &seamAddSubdirectory;
    seam.setOpenPath = &seamSetOpenPath;
    seam.openPath = &seamOpenPath;
    seam.tellOpenFailed = &seamTellOpenFailed;
    return seam;
}

// --- Events ----------------------------------------------------------------------------

void openHighlighted(HWND window) {
    ChangedirState* state = stateOf(window);
    HWND list = dir1(window);
    const int index = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    if (index < 0)
        return;
    HeapText entry;
    const char* name = listText(list, LB_GETTEXTLEN, LB_GETTEXT, index, entry);
    while (*name == ' ')
        ++name;
    const char* open = state->path.c_str();
    const size_t length = pathBehindEntry(open, '\\', index, name, nullptr, 0);
    HeapText target;
    char* room = target.reserve(length);
    if (room == nullptr)
        return;
    pathBehindEntry(open, '\\', index, name, room, length + 1);
    const SelectPathSeam seam = seamOf(state);
    const FileFailure failed = openDirectory(seam, target.c_str());
    if (failed != FileFailure::None) {
        SendMessageA(list, LB_SETCURSEL, state->branchEntries - 1, 0);
        tellNow(window, target.c_str(), fileFailureReason(failed));
    }
}

void drive1Change(HWND window) {
    const int index = static_cast<int>(SendMessageA(drive1(window), CB_GETCURSEL, 0, 0));
    if (index >= 0)
        selectPathDriveChanged(seamOf(stateOf(window)), index);
}

void fillDrives(HWND window) {
    const DWORD needed = GetLogicalDriveStringsA(0, NULL);
    HeapText drives;
    char* room = drives.reserve(needed);
    if (room == nullptr || needed == 0)
        return;
    const DWORD n = GetLogicalDriveStringsA(needed, room);
    if (n == 0 || n >= needed)
        return;
    for (const char* d = room; *d != '\0'; d += std::strlen(d) + 1) {
        const char letter =
            (d[0] >= 'A' && d[0] <= 'Z') ? static_cast<char>(d[0] - 'A' + 'a') : d[0];
        const char entry[3] = {letter, ':', '\0'};
        SendMessageA(drive1(window), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    }
}

void load(HWND window) {
    ChangedirState* state = stateOf(window);
    fillDrives(window);
    // Drive1 starts on the drive of the current directory, without a Change.
    const SelectPathSeam seam = seamOf(state);
    state->shownDrive = driveHolding(seam, seamCurrentDirectory(state));
    SendMessageA(drive1(window), CB_SETCURSEL, state->shownDrive, 0);
    loadSelectPath(seam, state->listPath);
}

} // namespace

INT_PTR CALLBACK changedirProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
        stateOf(window)->window = window;
        setWindowIcons(window, IDI_changedir);
        applyTwipsLayout(window, IDD_changedir);
        load(window);
        SetFocus(dir1(window));
        return FALSE; // the focus is set
    case WM_APP: {
        // A failure of the load: the dialog comes up first, then the message on top of it.
        ChangedirState* state = stateOf(window);
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
        state->visible = true;
        state->pending = false;
        tellNow(window, state->pendingDir.c_str(), state->pendingReason.c_str());
        return TRUE;
    }
    case WM_SHOWWINDOW:
        if (wParam && stateOf(window) != nullptr && !stateOf(window)->pending)
            stateOf(window)->visible = true;
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_changedir_Command1: {
            ChangedirState* state = stateOf(window);
            if (const char* answer = selectPathAnswer(seamOf(state)))
                state->newpath->assign(answer);
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

void showchangedir(HWND owner, const char* listPath, HeapText& newpath) {
    ChangedirState state;
    state.window = NULL;
    state.listPath = listPath;
    state.newpath = &newpath;
    state.branchEntries = 0;
    state.shownDrive = -1;
    state.visible = false;
    state.pending = false;
    DialogBoxParamA(programInstance(), MAKEINTRESOURCEA(IDD_changedir), owner, changedirProc,
                    reinterpret_cast<LPARAM>(&state));
}

} // namespace tolvane
