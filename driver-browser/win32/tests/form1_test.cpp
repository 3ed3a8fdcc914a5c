// The main window in this process: its definition, what start-up sets, and a driver another
// program holds open. What the window shows and prints step by step is the conformance
// table's, played against both front-ends.
#include "window_test_support.h"

#include "control_fonts.h"
#include "form1.h"
#include "picture_box.h"
#include "resource_ids.h"
#include "windows_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
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
        writeFile(system_ + "\\alpha.drv", "no version information here");
        writeFile(system_ + "\\Sound.drv",
                  versionBlock("Acme Sound Works", "Acme sound driver", "3.10.2"));
        const tolvane::Form1Options options = {false, nullptr};
        form_ = tolvane::createForm1(options, fonts_);
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

TEST_F(Form1Test, StartUpSetsWinPathTheListsPathAndTheCurrentDirectory) {
    tolvane::loadForm1(form_);
    EXPECT_STREQ(tolvane::form1Text(tolvane::WindowText::WinPath), windowsDirectory().c_str());
    EXPECT_EQ(std::string(tolvane::form1Text(tolvane::WindowText::ListPath)), system_);
    char current[MAX_PATH];
    GetCurrentDirectoryA(sizeof current, current);
    EXPECT_EQ(lstrcmpiA(current, system_.c_str()), 0);
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

} // namespace

// What another program may leave where tolvane.exe reads and writes, laid out by
// special_files.sh (its own test, which sets TOLVANE_SPECIAL_FILES): a FIFO where the
// shortcut goes, a FIFO and a link to /dev/null among the drivers. A test timeout means a
// read or a write waited.
class SpecialFiles : public Form1Test {
protected:
    void SetUp() override {
        if (std::getenv("TOLVANE_SPECIAL_FILES") == nullptr)
            GTEST_SKIP() << "run by the test tolvane_win32_special_files";
        Form1Test::SetUp();
    }
};

TEST_F(SpecialFiles, ADriverThatIsNotAFileOnADiskIsNotRead) {
    for (const char* name : {"pipe.drv", "null.drv"}) {
        tolvane::WindowsFile file;
        std::string description;
        const tolvane::CaptionSink sink{&description, [](void* context, tolvane::ValueLabel label,
                                                         const uint8_t* bytes, std::size_t size) {
                                            if (label == tolvane::ValueLabel::Description)
                                                static_cast<std::string*>(context)->append(
                                                    reinterpret_cast<const char*>(bytes), size);
                                        }};
        tolvane::readVersionStrings(file.seam(), (system_ + "\\" + name).c_str(), sink);
        EXPECT_EQ(description, "Could not read this file: it is not a regular file") << name;
    }
}

TEST_F(SpecialFiles, AShortcutPlaceThatIsNotAFileOnADiskGetsTheFailureMessage) {
    tolvane::loadForm1(form_); // GetwinDir: the shortcut goes into its "desktop" folder
    ASSERT_EQ(tolvane::form1Text(tolvane::WindowText::WinPath), windowsDirectory());
    std::vector<std::string> boxes;
    whileRunning(
        [&] {
            SendMessageA(form_, WM_COMMAND, MAKEWPARAM(IDC_Form1_Picture1, STN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(form_, IDC_Form1_Picture1)));
        },
        [&] {
            for (const char* title : {"Thank You!", "Tolvane"}) {
                if (HWND box = findThreadWindow(title)) {
                    boxes.push_back(std::string(title) + ": " +
                                    windowText(GetDlgItem(box, 0xFFFF)));
                    PostMessageA(box, WM_COMMAND, IDOK, 0);
                }
            }
            return boxes.empty();
        });
    ASSERT_EQ(boxes.size(), 1u);
    const std::string expectedEnd = "\nReason: it is not a regular file";
    EXPECT_EQ(boxes[0].compare(0, 9, "Tolvane: "), 0) << boxes[0];
    ASSERT_GE(boxes[0].size(), expectedEnd.size());
    EXPECT_EQ(boxes[0].substr(boxes[0].size() - expectedEnd.size()), expectedEnd) << boxes[0];
}
