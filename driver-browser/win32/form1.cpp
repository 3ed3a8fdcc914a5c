#include "form1.h"

#include "ansi_text.h"
#include "control_fonts.h"
#include "dialog_support.h"
#include "driver_listing.h"
#include "file_image.h"
#include "gdi_printer.h"
#include "picture_box.h"
#include "resource_ids.h"
#include "tolvane_windows.h"
#include "twips_layout.h"

#include "core/file_types.h"
#include "core/main_window_seam.h"
#include "core/shortcut_file.h"
#include "core/version_scan.h"

namespace tolvane {

namespace {

// The main window's state: one instance, living in the program's static storage (plain
// data, zero at start).
struct Form1State {
    HWND window;
    Form1Options options;
    char WinPath[145];       // the Windows directory as the platform reports it
    char newpath[MAX_PATH];  // exchanged with the change-directory dialog
    char listPath[MAX_PATH]; // DrvListBox's path
    const char* pattern;     // DrvListBox's pattern
    bool pathSet;
};

Form1State form;

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

int labelId(ValueLabel label) {
    switch (label) {
    case ValueLabel::FileName:
        return IDC_Form1_FileNamelbl;
    case ValueLabel::Description:
        return IDC_Form1_Descrlbl;
    case ValueLabel::Vendor:
        return IDC_Form1_Vendorlbl;
    case ValueLabel::Version:
    default:
        return IDC_Form1_Versionlbl;
    }
}

HWND driverList() {
    return GetDlgItem(form.window, IDC_Form1_DrvListBox);
}

// --- ShowDriverInfo -------------------------------------------------------------------

// One caption collected from the scan's runs, on the process heap.
struct CaptionText {
    char* text;
    size_t length;
    size_t capacity;
};

struct CollectedCaptions {
    CaptionText label[3]; // Description, Vendor, Version
    CollectedCaptions() : label() {}
    CollectedCaptions(const CollectedCaptions&) = delete;
    CollectedCaptions& operator=(const CollectedCaptions&) = delete;
    ~CollectedCaptions() {
        for (CaptionText& c : label)
            if (c.text != nullptr)
                HeapFree(GetProcessHeap(), 0, c.text);
    }
};

int captionIndex(ValueLabel label) {
    return label == ValueLabel::Description ? 0 : label == ValueLabel::Vendor ? 1 : 2;
}

void appendCaption(void* context, ValueLabel label, const uint8_t* bytes, size_t size) {
    CaptionText& c = static_cast<CollectedCaptions*>(context)->label[captionIndex(label)];
    if (c.length + size + 1 > c.capacity) {
        size_t capacity = c.capacity == 0 ? 256 : c.capacity;
        while (capacity < c.length + size + 1)
            capacity *= 2;
        void* grown = c.text == nullptr ? HeapAlloc(GetProcessHeap(), 0, capacity)
                                        : HeapReAlloc(GetProcessHeap(), 0, c.text, capacity);
        if (grown == nullptr)
            return; // what does not fit in memory is left out
        c.text = static_cast<char*>(grown);
        c.capacity = capacity;
    }
    CopyMemory(c.text + c.length, bytes, size);
    c.length += size;
    c.text[c.length] = '\0';
}

void ShowDriverInfo() {
    HWND list = driverList();
    const int selected = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    if (selected < 0)
        return;
    char name[MAX_PATH];
    SendMessageA(list, LB_GETTEXT, selected, reinterpret_cast<LPARAM>(name));
    SetDlgItemTextA(form.window, IDC_Form1_FileNamelbl, name);
    SetDlgItemTextA(form.window, IDC_Form1_Descrlbl, "");
    char fullName[2 * MAX_PATH];
    copyText(fullName, sizeof fullName, form.listPath);
    appendText(fullName, sizeof fullName, "\\");
    appendText(fullName, sizeof fullName, name);

    CollectedCaptions captions;
    const CaptionSink sink = {&captions, &appendCaption};
    FileImage image;
    char reason[256];
    if (image.read(fullName, reason, sizeof reason))
        scanVersionStrings(image.bytes(), image.size(), sink);
    else
        unreadableFileCaptions(reason, sink);
    SetDlgItemTextA(form.window, IDC_Form1_Descrlbl,
                    captions.label[0].text != nullptr ? captions.label[0].text : "");
    SetDlgItemTextA(form.window, IDC_Form1_Vendorlbl,
                    captions.label[1].text != nullptr ? captions.label[1].text : "");
    SetDlgItemTextA(form.window, IDC_Form1_Versionlbl,
                    captions.label[2].text != nullptr ? captions.label[2].text : "");
}

// --- The main window as the toolkit-free rules see it ----------------------------------

int seamListCount(void*) {
    return static_cast<int>(SendMessageA(driverList(), LB_GETCOUNT, 0, 0));
}

// Setting the selected index notifies (ShowDriverInfo) only when the selection changes,
// as a click or an arrow key does.
void seamSelectEntry(void*, int index) {
    HWND list = driverList();
    if (static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)) == index)
        return;
    SendMessageA(list, LB_SETCURSEL, index, 0);
    ShowDriverInfo();
}

void seamShowDriverInfo(void*) {
    ShowDriverInfo();
}

void seamClearLabel(void*, ValueLabel label) {
    SetDlgItemTextA(form.window, labelId(label), "");
}

void seamSetLabelVisible(void*, ValueLabel label, bool visible) {
    ShowWindow(GetDlgItem(form.window, labelId(label)), visible ? SW_SHOW : SW_HIDE);
}

void seamProcessPendingEvents(void*) {
    runPendingEvents();
}

const MainWindowSeam kWindowSeam = {
    nullptr,         &seamListCount,       &seamSelectEntry,         &seamShowDriverInfo,
    &seamClearLabel, &seamSetLabelVisible, &seamProcessPendingEvents};

// --- DrvListBox's path and pattern -------------------------------------------------------

void rebuildList() {
    fillDriverList(driverList(), form.listPath, form.pattern);
    refreshDriverList(kWindowSeam);
}

// Setting the path to the directory already shown changes nothing.
void setListPath(const char* path) {
    if (form.pathSet && compareIgnoringCase(path, form.listPath) == 0)
        return;
    copyText(form.listPath, sizeof form.listPath, path);
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

// --- GetwinDir -----------------------------------------------------------------------------

void GetwinDir() {
    // A buffer of 144 blanks, filled by GetWindowsDirectoryA.
    char buffer[145];
    for (int i = 0; i < 144; ++i)
        buffer[i] = ' ';
    buffer[144] = '\0';
    const UINT stored = GetWindowsDirectoryA(buffer, 144);
    short count = static_cast<short>(stored);
    // A failed call (0) or an answer that does not fit (the size it would need) leaves
    // WinPath empty.
    if (count < 0 || count >= 144)
        count = 0;
    buffer[count] = '\0';
    copyText(form.WinPath, sizeof form.WinPath, buffer);
    char system[MAX_PATH];
    copyText(system, sizeof system, form.WinPath);
    appendText(system, sizeof system, "\\system");
    SetCurrentDirectoryA(system);
    setListPath(system);
}

// --- Menu commands -------------------------------------------------------------------------

void chdrClick() {
    copyText(form.newpath, sizeof form.newpath, form.listPath);
    showchangedir(form.window, form.listPath, form.newpath, sizeof form.newpath);
    setListPath(form.newpath);
}

void Picture1Click() {
    char path[MAX_PATH + 32];
    shortcutPath(form.WinPath, '\\', path, sizeof path);
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD error = 0;
    if (file == INVALID_HANDLE_VALUE) {
        error = GetLastError();
    } else {
        DWORD written = 0;
        if (!WriteFile(file, kShortcutContents, kShortcutSize, &written, NULL))
            error = GetLastError();
        else if (written != kShortcutSize)
            error = ERROR_DISK_FULL;
        if (!CloseHandle(file) && error == 0)
            error = GetLastError();
    }
    if (error != 0) {
        char reason[256];
        describeError(error, reason, sizeof reason);
        char text[2 * MAX_PATH + 320];
        copyText(text, sizeof text, "The shortcut to our Website could not be created.\n\nFile: ");
        appendText(text, sizeof text, path);
        appendText(text, sizeof text, "\nReason: ");
        appendText(text, sizeof text, reason);
        MessageBoxA(form.window, text, "Tolvane", MB_OK | MB_ICONWARNING);
        return;
    }
    MessageBoxA(form.window, kThankYouText, kThankYouTitle, kThankYouStyle);
}

// The default printer through GDI, as the print commands' seam.
struct GdiPrinterContext {
    GdiPrinter printer;
    bool noPrinter = false;
};

bool gdiOpen(void* context) {
    GdiPrinterContext* c = static_cast<GdiPrinterContext*>(context);
    c->noPrinter = !c->printer.open();
    return !c->noPrinter;
}

void gdiPrintLine(void* context, const ReportLine& line) {
    char text[1024];
    copyText(text, sizeof text, line.prefix);
    if (line.hasLabel) {
        const size_t n = textLength(text);
        GetDlgItemTextA(form.window, labelId(line.label), text + n,
                        static_cast<int>(sizeof text - n));
    }
    static_cast<GdiPrinterContext*>(context)->printer.printLine(text,
                                                                static_cast<int>(textLength(text)));
}

bool gdiEndDocument(void* context) {
    return static_cast<GdiPrinterContext*>(context)->printer.endDocument();
}

void gdiWarn(void* context) {
    const bool noPrinter = static_cast<GdiPrinterContext*>(context)->noPrinter;
    MessageBoxA(form.window,
                noPrinter ? "No printer is installed. Set up a printer as the system's default "
                            "printer and try again."
                          : "The report could not be printed.",
                "Tolvane v1.4", MB_OK | MB_ICONWARNING);
}

void print(bool all) {
    GdiPrinterContext gdi;
    const PrinterSeam gdiSeam = {&gdi, &gdiOpen, &gdiPrintLine, &gdiEndDocument, &gdiWarn};
    const PrinterSeam& printer = form.options.printer != nullptr ? *form.options.printer : gdiSeam;
    if (all)
        printAllDrivers(kWindowSeam, printer);
    else
        printThisDriver(printer);
}

void command(int id) {
    switch (id) {
    case IDM_chdr:
        chdrClick();
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

const char* form1WinPath() {
    return form.WinPath;
}

const char* form1ListPath() {
    return form.listPath;
}

const char* form1Newpath() {
    return form.newpath;
}

INT_PTR CALLBACK Form1Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        form.window = window;
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
        PostQuitMessage(0);
        return TRUE;
    default:
        return FALSE;
    }
}

HWND createForm1(const Form1Options& options, FontSet& fonts) {
    form = Form1State();
    form.options = options;
    form.pattern = kFileTypeItems[kInitialFileTypeItem].pattern;
    return CreateDialogParamA(programInstance(), MAKEINTRESOURCEA(IDD_Form1), NULL, Form1Proc,
                              reinterpret_cast<LPARAM>(&fonts));
}

void loadForm1(HWND window) {
    if (form.options.showSplash)
        showBrisklow(window);
    GetwinDir();
    if (seamListCount(nullptr) > 0)
        seamSelectEntry(nullptr, 0);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
}

} // namespace tolvane
