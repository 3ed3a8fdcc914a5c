// Form1, the main window: the driver list of the Windows system directory, the details of
// the selected driver, the menus and the shortcut picture.
#include "dialog_support.h"
#include "resource_ids.h"
#include "tolvane_windows.h"
#include "win32_platform.h"

#include "core/driver_info.h"
#include "core/file_types.h"
#include "core/main_window.h"
#include "core/path_text.h"

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

const int kLabelIds[] = {IDC_Form1_FileNamelbl, IDC_Form1_Descrlbl, IDC_Form1_Vendorlbl,
                         IDC_Form1_Versionlbl};

HWND labelWindow(ValueLabel label) {
    return form.labels[static_cast<int>(label)];
}

HeapText& pathText(WindowText which) {
    return form.texts->paths[static_cast<int>(which) - static_cast<int>(WindowText::ListPath)];
}

extern const MainWindowSeam kWindowSeam;

// --- The main window as the toolkit-free rules see it ----------------------------------

void ShowDriverInfo(void* = nullptr) {
    WindowsFile file;
    showDriverInfo(kWindowSeam, file.seam());
}

int seamListCount(void*) {
    return static_cast<int>(SendMessageA(form.list, LB_GETCOUNT, 0, 0));
}

int seamSelectedIndex(void*) {
    return static_cast<int>(SendMessageA(form.list, LB_GETCURSEL, 0, 0));
}

// Setting the selected index notifies (ShowDriverInfo) only when the selection changes,
// as a click or an arrow key does.
void seamSelectEntry(void*, int index) {
    if (seamSelectedIndex(nullptr) == index)
        return;
    SendMessageA(form.list, LB_SETCURSEL, index, 0);
    ShowDriverInfo();
}

size_t seamEntryFileName(void*, int index, char* buffer, size_t capacity) {
    const LRESULT length = SendMessageA(form.list, LB_GETTEXTLEN, index, 0);
    if (capacity > 0)
        buffer[0] = '\0';
    if (length < 0)
        return 0;
    if (static_cast<size_t>(length) < capacity)
        SendMessageA(form.list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer));
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

bool isLabel(WindowText which) {
    return which < WindowText::ListPath;
}

size_t seamText(void*, WindowText which, char* buffer, size_t capacity) {
    if (!isLabel(which))
        return joinTexts({pathText(which).c_str()}, buffer, capacity);
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
                                    &ShowDriverInfo,
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
    SendMessageA(form.list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(form.list, LB_RESETCONTENT, 0, 0);
    WindowsDirectory directory;
    const NameSink sink = {form.list, [](void* list, const char* name) {
                               insertSorted(static_cast<HWND>(list), 0, name);
                           }};
    listDriverFiles(directory.seam(), pathText(WindowText::ListPath).c_str(), form.pattern, sink);
    SendMessageA(form.list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(form.list, NULL, TRUE);
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

// The File Types items' identifiers follow one another in menu order.
void chooseFileType(size_t item) {
    for (size_t i = 0; i < kFileTypeItemCount; ++i)
        CheckMenuItem(GetMenu(form.window), static_cast<UINT>(IDM_DRVOnly + i),
                      MF_BYCOMMAND | (i == item ? MF_CHECKED : MF_UNCHECKED));
    form.pattern = kFileTypeItems[item].pattern;
    rebuildList();
}

// --- The shortcut picture and the print commands -------------------------------------------

void tell(void*, const char* title, const char* text, unsigned style) {
    MessageBoxA(form.window, text, title, style);
}

void warn(void* context, const char* text) {
    tell(context, kPrintWarningTitle, text, kWarningStyle);
}

void Picture1Click() {
    const ShortcutSeam seam = {nullptr, shellDesktopFolders(), &writeShortcut, &seamMemory, &tell};
    createDesktopShortcut(seam, pathText(WindowText::WinPath).c_str());
}

void print(bool all) {
    GdiPrinter gdi;
    PrinterSeam printer = form.options.printer != nullptr ? *form.options.printer : gdi.seam();
    printer.memory = &seamMemory;
    printer.warn = &warn;
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
    case IDM_ADrivers:
        print(id == IDM_ADrivers);
        break;
    case IDM_Exitmen:
        DestroyWindow(form.window);
        break;
    case IDM_DRVOnly:
    case IDM_DLLOnly:
    case IDM_vxdonly:
    case IDM_BothDLLDRV:
        chooseFileType(static_cast<size_t>(id - IDM_DRVOnly));
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
        setUpWindow(window, IDD_Form1, IDI_Form1, kFonts, countOf(kFonts));
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_Form1_DrvListBox && HIWORD(wParam) == LBN_SELCHANGE)
            ShowDriverInfo();
        else if (LOWORD(wParam) == IDC_Form1_Picture1 && HIWORD(wParam) == STN_CLICKED)
            Picture1Click();
        else if (HIWORD(wParam) == 0 && lParam == 0)
            command(LOWORD(wParam)); // a menu item; Enter and Escape do nothing
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(window);
        return TRUE;
    case WM_DESTROY:
        deleteFonts(window, kFonts, countOf(kFonts));
        form.window = NULL;
        destroyTexts();
        PostQuitMessage(0);
        return TRUE;
    default:
        return FALSE;
    }
}

HWND createForm1(const Form1Options& options) {
    destroyTexts();
    form = Form1State();
    form.options = options;
    void* memory = HeapAlloc(GetProcessHeap(), 0, sizeof(Form1Texts));
    if (memory == nullptr)
        return NULL;
    form.texts = new (memory) Form1Texts();
    form.pattern = kFileTypeItems[kInitialFileTypeItem].pattern;
    return CreateDialogParamA(programInstance(), MAKEINTRESOURCEA(IDD_Form1), NULL, Form1Proc, 0);
}

void loadForm1(HWND window) {
    loadMainWindow(kWindowSeam);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
}

} // namespace tolvane
