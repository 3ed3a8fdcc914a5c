// The definitions of the windows other than the main window and the splash, each opened
// through its show function: client area on screen, every control's place, captions, fonts
// and border. Twips are the designed numbers; the windows show them at 15 twips per pixel.
#include "window_test_support.h"

#include "heap_text.h"
#include "picture_box.h"
#include "resource_ids.h"
#include "tolvane_windows.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace tolvane_test;

namespace {

class SmallWindowDefinitionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { tolvane::registerPictureBoxClass(GetModuleHandleA(NULL)); }

    // Opens a window through show, runs inspect on it once it is visible under title, then
    // clicks closeButton. Fails when the window never showed.
    static void inspect(const std::function<void()>& show, const char* title, int closeButton,
                        const std::function<void(HWND)>& check) {
        bool seen = false;
        whileRunning(show, [&] {
            HWND window = findThreadWindow(title);
            if (window == NULL)
                return true;
            seen = true;
            check(window);
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(closeButton, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(window, closeButton)));
            return false;
        });
        EXPECT_TRUE(seen) << title;
    }
};

TEST_F(SmallWindowDefinitionTest, AboutIsAFixedDialogWithItsColumnOfLabels) {
    inspect([] { tolvane::showAbout(NULL); }, "About Us Here at Brisklow\xAE", IDC_About_Command1,
            [](HWND about) {
                expectClientAreaInTwips(about, 1110, 1545, 4875, 6090);
                expectControlsInTwips(about, {{IDC_About_Command1, 240, 5280, 4335, 735},
                                              {IDC_About_Picture1, 0, 0, 4815, 3015},
                                              {IDC_About_Label6, 120, 4920, 4575, 375},
                                              {IDC_About_Label5, 120, 4560, 4575, 375},
                                              {IDC_About_Label4, 120, 4200, 4575, 375},
                                              {IDC_About_Label3, 120, 3840, 4575, 375},
                                              {IDC_About_Label2, 120, 3480, 4575, 375},
                                              {IDC_About_Label1, 120, 3120, 4575, 375}});
                EXPECT_EQ(windowText(GetDlgItem(about, IDC_About_Command1)), "Go Away");
                EXPECT_EQ(windowText(GetDlgItem(about, IDC_About_Label1)), "Tolvane v1.2");
                EXPECT_EQ(windowText(GetDlgItem(about, IDC_About_Label4)),
                          "Send questions/comments to:");
                EXPECT_EQ(windowText(GetDlgItem(about, IDC_About_Label6)), "Hey,  Hey, Watch out!");
                for (int id = IDC_About_Label6; id <= IDC_About_Label1; ++id)
                    EXPECT_EQ(GetWindowLongA(GetDlgItem(about, id), GWL_STYLE) & SS_TYPEMASK,
                              SS_CENTER);
                expectFonts(about, {{IDC_About_Command1, "MS Sans Serif", 2400, false},
                                    {IDC_About_Label1, "MS Sans Serif", 1200, false},
                                    {IDC_About_Label6, "MS Sans Serif", 1200, false}});
                // A caption but no system menu: no close button, only "Go Away" closes it.
                const LONG style = GetWindowLongA(about, GWL_STYLE);
                EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_SYSMENU),
                          0);
                EXPECT_NE(style & WS_CAPTION, 0);
            });
}

TEST_F(SmallWindowDefinitionTest, SelectPathHasItsListsFullWidthAndTheButtonsBelow) {
    tolvane::HeapText newpath;
    newpath.assign("unchanged");
    const std::string root = windowsDirectory();
    inspect([&] { tolvane::showchangedir(NULL, root.c_str(), newpath); }, "Select Path",
            IDC_changedir_Command2,
            [](HWND dialog) {
                expectClientAreaInTwips(dialog, 1800, 2460, 2865, 1605);
                // The lists are 30 twips wider than the client area: clipped at the right.
                expectControlsInTwips(dialog, {{IDC_changedir_Command2, 1680, 1200, 975, 375},
                                               {IDC_changedir_Command1, 240, 1200, 975, 375},
                                               {IDC_changedir_Drive1, 0, 0, 2895, 315},
                                               {IDC_changedir_Dir1, 0, 360, 2895, 705}});
                EXPECT_EQ(windowText(GetDlgItem(dialog, IDC_changedir_Command1)), "OK");
                EXPECT_EQ(windowText(GetDlgItem(dialog, IDC_changedir_Command2)), "Cancel");
                EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_changedir_Dir1));
                EXPECT_EQ(GetWindowLongA(dialog, GWL_STYLE) & WS_THICKFRAME, 0);
                // Fixed single, as the main window: no dialog frame.
                EXPECT_EQ(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, 0);
            });
    EXPECT_STREQ(newpath.c_str(), "unchanged");
}

TEST_F(SmallWindowDefinitionTest, HelpPlacesTheBannerInsideItsFrame) {
    inspect([] { tolvane::showdrvHelp(NULL); }, "Tolvane Help", IDC_drvHelp_Command1,
            [](HWND help) {
                expectClientAreaInTwips(help, 1140, 1545, 6690, 5730);
                // Label1 and Label2 sit in Frame1 (240, 0): their places add the frame's.
                expectControlsInTwips(help, {{IDC_drvHelp_Command1, 1440, 4800, 3735, 855},
                                             {IDC_drvHelp_Frame1, 240, 0, 6135, 2175},
                                             {IDC_drvHelp_Label1, 360, 480, 5895, 1095},
                                             {IDC_drvHelp_Label2, 360, 1680, 5895, 375},
                                             {IDC_drvHelp_Label3, 240, 2280, 6135, 2415}});
                EXPECT_EQ(windowText(GetDlgItem(help, IDC_drvHelp_Frame1)), "Tolvane");
                EXPECT_EQ(windowText(GetDlgItem(help, IDC_drvHelp_Label1)), "Brisklow");
                EXPECT_EQ(windowText(GetDlgItem(help, IDC_drvHelp_Command1)), "Back to Tolvane");
                expectFonts(help, {{IDC_drvHelp_Command1, "MS Sans Serif", 975, false},
                                   {IDC_drvHelp_Label1, "Arial", 4800, true},
                                   {IDC_drvHelp_Label2, "Arial", 1425, true},
                                   {IDC_drvHelp_Label3, "MS Sans Serif", 1200, false}});
            });
}

TEST_F(SmallWindowDefinitionTest, QuilletEggHasItsButtonBelowThePicture) {
    inspect([] { tolvane::showQuilletEgg(NULL); }, "Quillet Egg", IDC_QuilletEgg_Command1,
            [](HWND egg) {
                expectClientAreaInTwips(egg, 1140, 1545, 5985, 5070);
                expectControlsInTwips(egg, {{IDC_QuilletEgg_Command1, 1680, 4560, 2775, 495}});
                expectFonts(egg, {{IDC_QuilletEgg_Command1, "MS Sans Serif", 975, false}});
                EXPECT_NE(GetWindowLongA(egg, GWL_STYLE) & WS_THICKFRAME, 0);
            });
}

} // namespace
