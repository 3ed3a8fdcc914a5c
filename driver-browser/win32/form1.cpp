#include "form1.h"

#include "ansi_text.h"
#include "control_fonts.h"
#include "desktop_folders.h"
#include "dialog_support.h"
#include "gdi_printer.h"
#include "heap_text.h"
#include "picture_box.h"
#include "resource_ids.h"
#include "tolvane_windows.h"
#include "twips_layout.h"
#include "windows_directory.h"
#include "windows_file.h"

#include "core/directory_listing.h"
#include "core/driver_info.h"
#include "core/file_types.h"
#include "core/main_window.h"
#include "core/main_window_seam.h"
#include "core/print_report.h"
#include "core/shortcut_file.h"
#include "core/user_texts.h"

#include <cstring>
#include <new>

namespace tolvane {

namespace {

// The texts of any length the main window holds, on the heap from its creation to its
// destruction: the paths by WindowText (ListPath, newpath, WinPath), and what the core
// copies and joins texts in.
struct Form1Texts {
    HeapText paths[3];
    HeapText memory;
};

// The main window's state: one instance, living in the program's static storage (plain
// data, zero at start).
struct Form1State {
    HWND window;
    // DrvListBox and the four value labels, looked up once: under Wine every GetDlgItem is a
    // round trip to the server, and a selection uses them a dozen times.
    HWND list;
    HWND labels[4]; // by ValueLabel
    Form1Options options;
    Form1Texts* texts;
    const char* pattern; // DrvListBox's pattern
    bool pathSet;
};

Form1State form;

void createTexts() {
    void* memory = HeapAlloc(GetProcessHeap(), 0, sizeof(Form1Texts));
    form.texts = memory != nullptr ? new (memory) Form1Texts() : nullptr;
}

void destroyTexts() {
    if (form.texts == nullptr)
        return;
    form.texts->~Form1Texts();
    HeapFree(GetProcessHeap(), 0, form.texts);
    form.texts = nullptr;
}

const ControlFont kFonts[] = {
    {IDC_Form1_DrvListBox, "MS Sans Serif", 1200, false},
    {IDC_Form1_Vendorlbl, "MS Sans Serif", 975, false},
    {IDC_Form1_Versionlbl, "MS Sans Serif", 975, false},
    {IDC_Form1_Descrlbl, "MS Sans Serif", 975, false},
    {IDC_Form1_FileNamelbl, "MS Sans Serif", 975, false},
    {IDC_Form1_Label4, "MS Sans Serif", 975, false},
    {IDC_Form1_Label3, "MS Sans Serif", 975, false},
    {IDC_Form1_Label2, "MS Sans Serif", 975, false},
    {IDC_Form1_Label1, "MS Sans Serif", 975, false},
};

const int kFileTypeMenuIds[kFileTypeItemCount] = {IDM_DRVOnly, IDM_DLLOnly, IDM_vxdonly,
                                                  IDM_BothDLLDRV};

const int kLabelIds[] = {IDC_Form1_FileNamelbl, IDC_Form1_Descrlbl, IDC_Form1_Vendorlbl,
                         IDC_Form1_Versionlbl};

HWND labelWindow(ValueLabel label) {
    return form.labels[static_cast<int>(label)];
}

HWND driverList() {
    return form.list;
}

extern const MainWindowSeam kWindowSeam;

// --- The main window as the toolkit-free rules see it ----------------------------------

// ShowDriverInfo: the core's sequence over the list, the labels and the file.
void ShowDriverInfo() {
    WindowsFile file;
    showDriverInfo(kWindowSeam, file.seam());
}

int seamListCount(void*) {
    return static_cast<int>(SendMessageA(driverList(), LB_GETCOUNT, 0, 0));
}

int seamSelectedIndex(void*) {
    return static_cast<int>(SendMessageA(driverList(), LB_GETCURSEL, 0, 0));
}

// Setting the selected index notifies (ShowDriverInfo) only when the selection changes,
// as a click or an arrow key does.
void seamSelectEntry(void*, int index) {
    if (seamSelectedIndex(nullptr) == index)
        return;
    SendMessageA(driverList(), LB_SETCURSEL, index, 0);
    ShowDriverInfo();
}

// Copies text out as the core's seams take texts.
size_t copyOut(const char* text, size_t length, char* buffer, size_t capacity) {
    if (capacity > 0) {
        const size_t n = length < capacity ? length : capacity - 1;
        CopyMemory(buffer, text, n);
        buffer[n] = '\0';
    }
    return length;
}

size_t seamEntryFileName(void*, int index, char* buffer, size_t capacity) {
    HWND list = driverList();
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
    if (length < 0)
        return copyOut("", 0, buffer, capacity);
    if (static_cast<size_t>(length) < capacity)
        SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer));
    else if (capacity > 0)
        buffer[0] = '\0';
    return static_cast<size_t>(length);
}

// The list shows each file by its own name.
void seamShowEntryName(void* context, int index) {
    HeapText name;
    const size_t length = seamEntryFileName(context, index, nullptr, 0);
    if (char* room = name.reserve(length)) {
        seamEntryFileName(context, index, room, length + 1);
        SetWindowTextA(labelWindow(ValueLabel::FileName), room);
    }
}

void seamShowDriverInfo(void*) {
    ShowDriverInfo();
}

bool isLabel(WindowText which) {
    return which < WindowText::ListPath;
}

HeapText& pathText(WindowText which) {
    return form.texts->paths[static_cast<int>(which) - static_cast<int>(WindowText::ListPath)];
}

size_t seamText(void*, WindowText which, char* buffer, size_t capacity) {
    if (!isLabel(which)) {
        const char* text = pathText(which).c_str();
        return copyOut(text, std::strlen(text), buffer, capacity);
    }
    HWND window = labelWindow(static_cast<ValueLabel>(which));
    if (capacity > 0)
        buffer[GetWindowTextA(window, buffer, static_cast<int>(capacity))] = '\0';
    return static_cast<size_t>(GetWindowTextLengthA(window));
}

void setListPath(const char* path);

void seamSetText(void*, WindowText which, const char* text) {
    if (isLabel(which))
        SetWindowTextA(labelWindow(static_cast<ValueLabel>(which)), text);
    else if (which == WindowText::ListPath)
        setListPath(text);
    else
        pathText(which).assign(text);
}

void seamSetLabelVisible(void*, ValueLabel label, bool visible) {
    ShowWindow(labelWindow(label), visible ? SW_SHOW : SW_HIDE);
}

void seamProcessPendingEvents(void*) {
    runPendingEvents();
}

void seamShowSplash(void*) {
    if (form.options.showSplash)
        showBrisklow(form.window);
}

void seamShowSelectPath(void*) {
    showchangedir(form.window, pathText(WindowText::ListPath).c_str(),
                  pathText(WindowText::Newpath));
}

unsigned seamWindowsDirectory(void*, char* buffer, unsigned size) {
    return GetWindowsDirectoryA(buffer, size);
}

void seamSetCurrentDirectory(void*, const char* path) {
    SetCurrentDirectoryA(path);
}

char* seamMemory(void*, size_t size) {
    return form.texts->memory.reserve(size);
}

const MainWindowSeam kWindowSeam = {nullptr,
                                    &seamListCount,
                                    &seamSelectedIndex,
                                    &seamSelectEntry,
                                    &seamShowEntryName,
                                    &seamEntryFileName,
                                    &seamShowDriverInfo,
                                    &seamText,
                                    &seamSetText,
                                    &seamSetLabelVisible,
                                    &seamProcessPendingEvents,
                                    &seamShowSplash,
                                    &seamShowSelectPath,
                                    {nullptr, &seamWindowsDirectory},
                                    &seamSetCurrentDirectory,
                                    &seamMemory};

// --- DrvListBox's path and pattern -------------------------------------------------------

void rebuildList() {
    fillDriverList(driverList(), pathText(WindowText::ListPath).c_str(), form.pattern);
    refreshDriverList(kWindowSeam);
}

// Setting the path to the directory already shown changes nothing.
void setListPath(const char* path) {
    if (form.texts == nullptr) // the window is gone
        return;
    HeapText& listPath = pathText(WindowText::ListPath);
    if (form.pathSet && isSameDirectory(listPath.c_str(), path, windowsDirectoryIdentity()))
        return;
    if (!listPath.assign(path))
        return;
    form.pathSet = true;
    rebuildList();
}

void chooseFileType(size_t item) {
    HMENU menu = GetMenu(form.window);
    for (size_t i = 0; i < kFileTypeItemCount; ++i)
        CheckMenuItem(menu, static_cast<UINT>(kFileTypeMenuIds[i]),
                      MF_BYCOMMAND | (i == item ? MF_CHECKED : MF_UNCHECKED));
    form.pattern = kFileTypeItems[item].pattern;
    rebuildList();
}

// --- The shortcut picture -------------------------------------------------------------------

// A pipe or a device there (under Wine a FIFO, a link to /dev/null) takes the bytes and keeps
// none: refused in plain words.
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
        copyText(reason, kReasonCapacity, refused);
    else if (error != 0)
        describeError(error, reason, kReasonCapacity);
    return error == 0 && refused == nullptr;
}

void tell(void*, const char* title, const char* text, unsigned style) {
    MessageBoxA(form.window, text, title, style);
}

void Picture1Click() {
    const ShortcutSeam seam = {nullptr, shellDesktopFolders(), &writeShortcut, &seamMemory, &tell};
    createDesktopShortcut(seam, pathText(WindowText::WinPath).c_str());
}

// The print commands' seam over a LinePrinter, with the memory the core puts each line
// together in.
struct PrintJob {
    LinePrinter printer;
    HeapText memory;
    char reason[256]; // the system's words for why the printer failed
};

bool jobOpen(void* context) {
    const LinePrinter& printer = static_cast<PrintJob*>(context)->printer;
    return printer.open(printer.context);
}

char* jobMemory(void* context, size_t size) {
    return static_cast<PrintJob*>(context)->memory.reserve(size);
}

void jobPrintLine(void* context, const char* text, size_t length) {
    const LinePrinter& printer = static_cast<PrintJob*>(context)->printer;
    printer.printLine(printer.context, text, static_cast<int>(length));
}

bool jobEndDocument(void* context, const char** reason) {
    PrintJob* job = static_cast<PrintJob*>(context);
    DWORD error = 0;
    if (job->printer.endDocument(job->printer.context, &error))
        return true;
    job->reason[0] = '\0';
    if (error != 0)
        describeError(error, job->reason, sizeof job->reason);
    *reason = job->reason;
    return false;
}

void jobWarn(void*, const char* text) {
    MessageBoxA(form.window, text, kPrintWarningTitle, MB_OK | MB_ICONWARNING);
}

void print(bool all) {
    GdiPrinter gdi;
    PrintJob job;
    job.printer = form.options.printer != nullptr ? *form.options.printer : gdi.lines();
    const PrinterSeam printer = {&job,          &jobOpen,        &jobMemory,
                                 &jobPrintLine, &jobEndDocument, &jobWarn};
    if (all)
        printAllDrivers(kWindowSeam, printer);
    else
        printThisDriver(kWindowSeam, printer);
}

void command(int id) {
    switch (id) {
    case IDM_chdr:
        changeDirectory(kWindowSeam);
        break;
    case IDM_SDriver:
        print(false);
        break;
    case IDM_ADrivers:
        print(true);
        break;
    case IDM_Exitmen:
        DestroyWindow(form.window);
        break;
    case IDM_DRVOnly:
    case IDM_DLLOnly:
    case IDM_vxdonly:
    case IDM_BothDLLDRV:
        for (size_t i = 0; i < kFileTypeItemCount; ++i)
            if (kFileTypeMenuIds[i] == id)
                chooseFileType(i);
        break;
    case IDM_Helpme:
        showdrvHelp(form.window);
        break;
    case IDM_AboutMe:
        showAbout(form.window);
        break;
    default:
        break;
    }
}

} // namespace

void setForm1ListPath(const char* path) {
    setListPath(path);
}

const char* form1Text(WindowText which) {
    return form.texts != nullptr ? pathText(which).c_str() : "";
}

INT_PTR CALLBACK Form1Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        form.window = window;
        form.list = GetDlgItem(window, IDC_Form1_DrvListBox);
        for (int i = 0; i < 4; ++i)
            form.labels[i] = GetDlgItem(window, kLabelIds[i]);
        reinterpret_cast<FontSet*>(lParam)->apply(window, kFonts, sizeof kFonts / sizeof *kFonts);
        setWindowIcons(window, IDI_Form1);
        applyTwipsLayout(window, IDD_Form1);
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_Form1_DrvListBox:
            if (HIWORD(wParam) == LBN_SELCHANGE)
                ShowDriverInfo();
            break;
        case IDC_Form1_Picture1:
            if (HIWORD(wParam) == STN_CLICKED)
                Picture1Click();
            break;
        default:
            if (HIWORD(wParam) == 0 && lParam == 0)
                command(LOWORD(wParam)); // a menu item; Enter and Escape do nothing
            break;
        }
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(window);
        return TRUE;
    case WM_DESTROY:
        form.window = NULL;
        destroyTexts();
        PostQuitMessage(0);
        return TRUE;
    default:
        return FALSE;
    }
}

HWND createForm1(const Form1Options& options, FontSet& fonts) {
    destroyTexts();
    form = Form1State();
    form.options = options;
    createTexts();
    if (form.texts == nullptr)
        return NULL;
    form.pattern = kFileTypeItems[kInitialFileTypeItem].pattern;
    return CreateDialogParamA(programInstance(), MAKEINTRESOURCEA(IDD_Form1), NULL, Form1Proc,
                              reinterpret_cast<LPARAM>(&fonts));
}

void loadForm1(HWND window) {
    loadMainWindow(kWindowSeam);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
}

} // namespace tolvane
