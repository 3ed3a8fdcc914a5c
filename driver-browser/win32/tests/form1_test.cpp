// The main window in this process: what start-up sets, and a driver another program holds
// open. Its definition, and what the window shows and prints step by step, are the conformance
// tables', played against both front-ends.
#include "window_test_support.h"

#include "dialog_support.h"
#include "resource_ids.h"
#include "tolvane_windows.h"
#include "win32_platform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace tolvane_test;

namespace {

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
        form_ = tolvane::createForm1(options);
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
    HWND form_ = NULL;
};

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
    // The reason in the same plain words as on Linux, chosen by the kind of failure.
    EXPECT_EQ(label(form_, IDC_Form1_Descrlbl),
              "Could not read this file: another program is using it");
    EXPECT_EQ(label(form_, IDC_Form1_Vendorlbl), "N/A");
    EXPECT_EQ(label(form_, IDC_Form1_Versionlbl), "N/A");
}

} // namespace

// What another program may leave where tolvane.exe reads and writes, laid out by
// non_regular_files.sh (its own test, which sets TOLVANE_NON_REGULAR_FILES): a FIFO where the
// shortcut goes, a FIFO and a link to /dev/null among the drivers. A test timeout means a
// read or a write waited.
class SpecialFiles : public Form1Test {
protected:
    void SetUp() override {
        if (std::getenv("TOLVANE_NON_REGULAR_FILES") == nullptr)
            GTEST_SKIP() << "run by the test tolvane_win32_non_regular_files";
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
