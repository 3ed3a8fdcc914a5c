// The main window in this process: its definition, start-up over sample drivers in the
// Windows system directory, the File Types items, arrow keys, printing through a recording
// printer, and the desktop shortcut with its thank-you box.
#include "window_test_support.h"

#include "control_fonts.h"
#include "form1.h"
#include "picture_box.h"
#include "resource_ids.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tolvane_test;

namespace {

// The main window's controls as designed, in twips.
const std::vector<TwipsControl> kForm1Controls = {
    {IDC_Form1_Frame1, -720, 0, 7815, 15},         {IDC_Form1_Picture1, 2400, 2760, 2295, 1095},
    {IDC_Form1_DrvListBox, 0, 2280, 2295, 1560},   {IDC_Form1_Vendorlbl, 1440, 1320, 3255, 375},
    {IDC_Form1_Versionlbl, 1440, 1800, 3255, 375}, {IDC_Form1_Label5, 2640, 2280, 1815, 375},
    {IDC_Form1_Descrlbl, 1440, 600, 3255, 615},    {IDC_Form1_FileNamelbl, 1440, 120, 3255, 375},
    {IDC_Form1_Label4, 120, 1800, 1215, 375},      {IDC_Form1_Label3, 120, 1320, 1215, 375},
    {IDC_Form1_Label2, 120, 600, 1215, 615},       {IDC_Form1_Label1, 120, 120, 1215, 375},
};

std::vector<std::string> printed;
HWND printedFrom = NULL;
bool printerPresent = true;
int documentsEnded = 0;
int warnings = 0;

bool recOpen(void*) {
    return printerPresent;
}
void recPrintLine(void*, const tolvane::ReportLine& line) {
    std::string text = line.prefix;
    if (line.hasLabel) {
        const int ids[] = {IDC_Form1_FileNamelbl, IDC_Form1_Descrlbl, IDC_Form1_Vendorlbl,
                           IDC_Form1_Versionlbl};
        text += windowText(GetDlgItem(printedFrom, ids[static_cast<int>(line.label)]));
    }
    printed.push_back(text);
}
bool recEnd(void*) {
    ++documentsEnded;
    return true;
}
void recWarn(void*) {
    ++warnings;
}
const tolvane::PrinterSeam kRecorder = {nullptr, &recOpen, &recPrintLine, &recEnd, &recWarn};

std::string label(HWND form, int id) {
    return windowText(GetDlgItem(form, id));
}

class Form1Test : public ::testing::Test {
protected:
    static void SetUpTestSuite() { tolvane::registerPictureBoxClass(GetModuleHandleA(NULL)); }

    void SetUp() override {
        system_ = windowsDirectory() + "\\system";
        // A 64-bit Wine prefix made where 32-bit programs cannot run has no "system" folder.
        CreateDirectoryA(system_.c_str(), NULL);
        CreateDirectoryA((windowsDirectory() + "\\desktop").c_str(), NULL);
        writeFile(system_ + "\\alpha.drv", "no version information here");
        writeFile(system_ + "\\Sound.drv",
                  versionBlock("Acme Sound Works", "Acme sound driver", "3.10.2"));
        writeFile(system_ + "\\video.VXD", versionBlock("Vid", "Video helper", "1.0"));
        printed.clear();
        documentsEnded = 0;
        warnings = 0;
        printerPresent = true;
        const tolvane::Form1Options options = {false, &kRecorder};
        form_ = tolvane::createForm1(options, fonts_);
        printedFrom = form_;
        ASSERT_NE(form_, nullptr);
    }

    void TearDown() override {
        if (IsWindow(form_))
            DestroyWindow(form_);
        MSG m;
        while (PeekMessageA(&m, NULL, 0, 0, PM_REMOVE)) {
        }
        DeleteFileA((system_ + "\\alpha.drv").c_str());
        DeleteFileA((system_ + "\\Sound.drv").c_str());
        DeleteFileA((system_ + "\\video.VXD").c_str());
    }

    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        HWND list = GetDlgItem(form_, IDC_Form1_DrvListBox);
        const int n = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            char text[MAX_PATH];
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            names.push_back(text);
        }
        return names;
    }

    void menu(int id) { SendMessageA(form_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    std::string system_;
    tolvane::FontSet fonts_;
    HWND form_ = NULL;
};

TEST_F(Form1Test, DefinitionPlacesClientAreaAndControlsAtFifteenTwipsPerPixel) {
    EXPECT_EQ(windowText(form_), "Tolvane v1.4");
    expectClientAreaInTwips(form_, 1635, 2400, 4755, 3930);
    expectControlsInTwips(form_, kForm1Controls);
    // Fixed single border: no sizing frame, no maximize button.
    const LONG style = GetWindowLongA(form_, GWL_STYLE);
    EXPECT_EQ(style & WS_THICKFRAME, 0);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
    EXPECT_NE(style & WS_CAPTION, 0);
}

TEST_F(Form1Test, CaptionsAlignmentsAndFonts) {
    EXPECT_EQ(label(form_, IDC_Form1_Label1), "File Name");
    EXPECT_EQ(label(form_, IDC_Form1_Label2), "Description:");
    EXPECT_EQ(label(form_, IDC_Form1_Label3), "Vendor:");
    EXPECT_EQ(label(form_, IDC_Form1_Label4), "Version:");
    EXPECT_EQ(label(form_, IDC_Form1_Label5), "Add a Shortcut to us! Click below!");
    EXPECT_EQ(label(form_, IDC_Form1_Frame1), "Frame1");
    for (int id : {IDC_Form1_Label1, IDC_Form1_Label2, IDC_Form1_Label3, IDC_Form1_Label4})
        EXPECT_EQ(GetWindowLongA(GetDlgItem(form_, id), GWL_STYLE) & SS_TYPEMASK, SS_RIGHT);
    for (int id :
         {IDC_Form1_FileNamelbl, IDC_Form1_Descrlbl, IDC_Form1_Vendorlbl, IDC_Form1_Versionlbl}) {
        EXPECT_EQ(GetWindowLongA(GetDlgItem(form_, id), GWL_STYLE) & SS_TYPEMASK, SS_LEFT);
        EXPECT_EQ(label(form_, id), "");
    }
    EXPECT_EQ(GetWindowLongA(GetDlgItem(form_, IDC_Form1_Label5), GWL_STYLE) & SS_TYPEMASK,
              SS_CENTER);

    expectFonts(form_, {{IDC_Form1_DrvListBox, "MS Sans Serif", 1200, false},
                        {IDC_Form1_Label1, "MS Sans Serif", 975, false},
                        {IDC_Form1_Label4, "MS Sans Serif", 975, false},
                        {IDC_Form1_Descrlbl, "MS Sans Serif", 975, false},
                        {IDC_Form1_Vendorlbl, "MS Sans Serif", 975, false}});
}

struct MenuEntry {
    int depth;
    UINT id;
    const char* caption; // nullptr: separator
    bool checked;
};

void readMenu(HMENU menu, int depth, std::vector<MenuEntry>& out, std::vector<std::string>& keep) {
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        char text[128] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_TYPE | MIIM_STATE | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = sizeof text;
        ASSERT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info));
        keep.push_back(text);
        const bool separator = (info.fType & MFT_SEPARATOR) != 0;
        out.push_back(
            {depth, info.wID, separator ? nullptr : "", (info.fState & MFS_CHECKED) != 0});
        if (info.hSubMenu != NULL)
            readMenu(info.hSubMenu, depth + 1, out, keep);
    }
}

TEST_F(Form1Test, MenuTreeWithOneCheckMarkOnDrvFilesOnly) {
    const MenuEntry expected[] = {
        {0, IDM_Filemen, "&File", false},
        {1, IDM_chdr, "&Change Directory", false},
        {1, IDM_printmen, "&Print", false},
        {2, IDM_SDriver, "Print This Driver", false},
        {2, IDM_ADrivers, "Print All Drivers", false},
        {1, IDM_u1, nullptr, false},
        {1, IDM_Exitmen, "&Exit", false},
        {0, IDM_typemen, "File &Types", false},
        {1, IDM_DRVOnly, "DRV Files only", true},
        {1, IDM_DLLOnly, "DLL Files Only", false},
        {1, IDM_vxdonly, "VXD Files", false},
        {1, IDM_BothDLLDRV, "DRV, DLL, and VXD", false},
        {0, IDM_Helpmen, "&Help", false},
        {1, IDM_Helpme, "Help Screen", false},
        {1, IDM_p, nullptr, false},
        {1, IDM_AboutMe, "&About Tolvane", false},
    };
    std::vector<MenuEntry> actual;
    std::vector<std::string> captions;
    readMenu(GetMenu(form_), 0, actual, captions);
    ASSERT_EQ(actual.size(), sizeof expected / sizeof *expected);
    for (size_t i = 0; i < actual.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actual[i].depth, expected[i].depth);
        EXPECT_EQ(actual[i].id, expected[i].id);
        EXPECT_EQ(actual[i].caption == nullptr, expected[i].caption == nullptr);
        if (expected[i].caption != nullptr)
            EXPECT_EQ(captions[i], expected[i].caption);
        EXPECT_EQ(actual[i].checked, expected[i].checked);
    }
}

TEST_F(Form1Test, StartUpListsSystemDriversAndShowsTheFirst) {
    tolvane::loadForm1(form_);
    EXPECT_STREQ(tolvane::form1WinPath(), windowsDirectory().c_str());
    EXPECT_EQ(std::string(tolvane::form1ListPath()), system_);
    char current[MAX_PATH];
    GetCurrentDirectoryA(sizeof current, current);
    EXPECT_EQ(lstrcmpiA(current, system_.c_str()), 0);
    EXPECT_EQ(entries(), (std::vector<std::string>{"alpha.drv", "Sound.drv"}));
    HWND list = GetDlgItem(form_, IDC_Form1_DrvListBox);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(label(form_, IDC_Form1_FileNamelbl), "alpha.drv");
    EXPECT_EQ(label(form_, IDC_Form1_Descrlbl), "No Information available on this driver");
    EXPECT_EQ(label(form_, IDC_Form1_Vendorlbl), "N/A");
    EXPECT_EQ(label(form_, IDC_Form1_Versionlbl), "N/A");
}

TEST_F(Form1Test, ArrowKeysShowEveryDriverPassed) {
    tolvane::loadForm1(form_);
    HWND list = GetDlgItem(form_, IDC_Form1_DrvListBox);
    SetFocus(list);
    SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(label(form_, IDC_Form1_FileNamelbl), "Sound.drv");
    EXPECT_EQ(label(form_, IDC_Form1_Descrlbl), "Acme sound driver");
    EXPECT_EQ(label(form_, IDC_Form1_Vendorlbl), "Acme Sound Works");
    EXPECT_EQ(label(form_, IDC_Form1_Versionlbl), "3.10.2");
    SendMessageA(list, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(label(form_, IDC_Form1_FileNamelbl), "alpha.drv");
    EXPECT_EQ(label(form_, IDC_Form1_Vendorlbl), "N/A");
}

TEST_F(Form1Test, AFileThatCannotBeReadShowsWhy) {
    tolvane::loadForm1(form_);
    // Held open without sharing: opening it for reading fails.
    HANDLE held = CreateFileA((system_ + "\\Sound.drv").c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                              NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    HWND list = GetDlgItem(form_, IDC_Form1_DrvListBox);
    SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
    CloseHandle(held);
    EXPECT_EQ(label(form_, IDC_Form1_FileNamelbl), "Sound.drv");
    const std::string description = label(form_, IDC_Form1_Descrlbl);
    EXPECT_EQ(description.rfind("Could not read this file: ", 0), 0u) << description;
    EXPECT_GT(description.size(), sizeof "Could not read this file: ");
    // The reason in the same plain words as on Linux, chosen by the kind of failure.
    EXPECT_EQ(description, "Could not read this file: another program is using it");
    EXPECT_EQ(label(form_, IDC_Form1_Vendorlbl), "N/A");
    EXPECT_EQ(label(form_, IDC_Form1_Versionlbl), "N/A");
}

TEST_F(Form1Test, FileTypesMoveTheCheckMarkAndRebuildTheList) {
    tolvane::loadForm1(form_);
    HMENU bar = GetMenu(form_);
    auto checked = [&](UINT id) { return (GetMenuState(bar, id, MF_BYCOMMAND) & MF_CHECKED) != 0; };
    menu(IDM_vxdonly);
    EXPECT_TRUE(checked(IDM_vxdonly));
    EXPECT_FALSE(checked(IDM_DRVOnly));
    EXPECT_FALSE(checked(IDM_DLLOnly));
    EXPECT_FALSE(checked(IDM_BothDLLDRV));
    EXPECT_EQ(entries(), (std::vector<std::string>{"video.VXD"}));
    EXPECT_EQ(label(form_, IDC_Form1_FileNamelbl), "video.VXD");
    EXPECT_EQ(label(form_, IDC_Form1_Descrlbl), "Video helper");

    menu(IDM_BothDLLDRV);
    EXPECT_TRUE(checked(IDM_BothDLLDRV));
    EXPECT_FALSE(checked(IDM_vxdonly));
    std::vector<std::string> all = entries();
    ASSERT_FALSE(all.empty());
    // All three kinds in one order ignoring case: the sample drivers and Wine's own DLLs.
    for (size_t i = 1; i < all.size(); ++i)
        EXPECT_LT(lstrcmpiA(all[i - 1].c_str(), all[i].c_str()), 0) << all[i];
    EXPECT_EQ(all.front(), "alpha.drv");
    EXPECT_EQ(label(form_, IDC_Form1_FileNamelbl), "alpha.drv");

    // No such file: an empty list and four empty labels.
    DeleteFileA((system_ + "\\video.VXD").c_str());
    menu(IDM_vxdonly);
    EXPECT_TRUE(entries().empty());
    for (int id :
         {IDC_Form1_FileNamelbl, IDC_Form1_Descrlbl, IDC_Form1_Vendorlbl, IDC_Form1_Versionlbl})
        EXPECT_EQ(label(form_, id), "");

    menu(IDM_DRVOnly);
    EXPECT_TRUE(checked(IDM_DRVOnly));
    EXPECT_EQ(entries(), (std::vector<std::string>{"alpha.drv", "Sound.drv"}));
}

TEST_F(Form1Test, PrintAllDriversThroughTheRecordingPrinter) {
    tolvane::loadForm1(form_);
    menu(IDM_ADrivers);
    const std::vector<std::string> expected = {
        "File Name: alpha.drv",
        "Version: N/A",
        "Vendor: N/A",
        "Description: No Information available on this driver",
        "",
        "File Name: Sound.drv",
        "Version: 3.10.2",
        "Vendor: Acme Sound Works",
        "Description: Acme sound driver",
        "",
    };
    EXPECT_EQ(printed, expected);
    EXPECT_EQ(documentsEnded, 1);
    EXPECT_EQ(warnings, 0);
    // The last driver stays selected and the labels are visible again.
    EXPECT_EQ(label(form_, IDC_Form1_FileNamelbl), "Sound.drv");
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(form_, IDC_Form1_Descrlbl)));

    printed.clear();
    menu(IDM_SDriver);
    EXPECT_EQ(printed, std::vector<std::string>(expected.begin() + 5, expected.begin() + 9));
    EXPECT_EQ(documentsEnded, 2);

    printed.clear();
    printerPresent = false;
    menu(IDM_ADrivers);
    EXPECT_TRUE(printed.empty());
    EXPECT_EQ(warnings, 1);
}

TEST_F(Form1Test, ShortcutFileBytesAndTheThankYouBox) {
    tolvane::loadForm1(form_);
    const std::string path = windowsDirectory() + "\\desktop\\Harrowmint.URL";
    DeleteFileA(path.c_str());
    std::string boxText;
    HWND picture = GetDlgItem(form_, IDC_Form1_Picture1);
    for (int click = 0; click < 2; ++click) {
        boxText.clear();
        whileRunning(
            [&] {
                SendMessageA(picture, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
                SendMessageA(picture, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
            },
            [&] {
                HWND box = findThreadWindow("Thank You!");
                if (box == NULL)
                    return true;
                HWND text = NULL;
                for (HWND child = GetWindow(box, GW_CHILD); child != NULL;
                     child = GetWindow(child, GW_HWNDNEXT))
                    if (windowText(child).find("Website") != std::string::npos)
                        text = child;
                if (text != NULL)
                    boxText = windowText(text);
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                return false;
            });
        EXPECT_EQ(boxText, "A link to our Website has been created on your desktop.\r"
                           "To access our page, siply double click the shorcut icon.");
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        char bytes[256];
        DWORD got = 0;
        ReadFile(file, bytes, sizeof bytes, &got, NULL);
        CloseHandle(file);
        EXPECT_EQ(std::string(bytes, got),
                  "[InternetShortcut]\r\nURL=http://www.brisklow.example/\r\n");
    }
    DeleteFileA(path.c_str());
}

} // namespace
