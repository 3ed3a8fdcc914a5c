// The modal windows, each opened through its show function while a timer drives it: the
// splash's ticks and the about window's gesture through real mouse messages. Their
// definitions and Select Path are played by the conformance tables.
#include "window_test_support.h"

#include "dialog_support.h"
#include "resource_ids.h"
#include "tolvane_windows.h"

#include <gtest/gtest.h>

#include <string>

using namespace tolvane_test;

namespace {

class ModalWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { tolvane::registerPictureBoxClass(GetModuleHandleA(NULL)); }
    void TearDown() override { tolvane::setSplashClock(nullptr); }
};

// A clock that moves on by fakeStep seconds at every reading.
float fakeNow = 0;
float fakeStep = 0;
int readings = 0;
DWORD lastReadingAt = 0; // GetTickCount() at the latest reading

// The splash is gone once its modal loop has returned; that happens at the tick that closes
// it, not at some later tick (the timer runs at 1000 ms).
void expectClosedAtTheLastReading() {
    EXPECT_LT(GetTickCount() - lastReadingAt, 1000u)
        << "the splash's modal loop ran on after the tick that closed it";
}

// The program's own time of day (GetLocalTime), counting its readings: the first tick reads
// it twice (the start, then "now"), every later tick once.
float countedLocalTime(void*) {
    ++readings;
    lastReadingAt = GetTickCount();
    return tolvane::localTimeOfDay(nullptr);
}

TEST_F(ModalWindowTest, SplashIsCentredWithoutBorderAndClosesAtTheSecondOrThirdTick) {
    readings = 0;
    const tolvane::TimeOfDaySource clock = {nullptr, &countedLocalTime};
    tolvane::setSplashClock(&clock);
    std::string caption;
    RECT outer = {};
    RECT client = {};
    LONG style = 0;
    bool windowSeen = false;
    const DWORD start = GetTickCount();
    whileRunning([] { tolvane::showBrisklow(NULL); },
                 [&] {
                     HWND splash = findThreadWindow("Brisklow -loading-");
                     if (splash == NULL)
                         return true;
                     caption = windowText(splash);
                     GetWindowRect(splash, &outer);
                     client = clientRectOnScreen(splash);
                     style = GetWindowLongA(splash, GWL_STYLE);
                     windowSeen = true;
                     return true;
                 });
    const DWORD elapsed = GetTickCount() - start;
    expectClosedAtTheLastReading();
    EXPECT_EQ(caption, "Brisklow -loading-");
    EXPECT_EQ(style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_DLGFRAME), 0);
    EXPECT_EQ(client.right - client.left, 6885 / 15);
    EXPECT_EQ(client.bottom - client.top, 3285 / 15);
    EXPECT_TRUE(EqualRect(&outer, &client));
    const int twipsLeft = (GetSystemMetrics(SM_CXSCREEN) * 15 - 6885) / 2;
    const int twipsTop = (GetSystemMetrics(SM_CYSCREEN) * 15 - 3285) / 2;
    EXPECT_NEAR(outer.left, twipsLeft / 15.0, 0.5);
    EXPECT_NEAR(outer.top, twipsTop / 15.0, 0.5);
    // Closed by the second tick (three readings) or the third (four), never the first.
    EXPECT_GE(readings, 3);
    EXPECT_LE(readings, 4);
    EXPECT_GE(elapsed, 1900u); // at least two ticks of the 1000 ms timer
    EXPECT_TRUE(windowSeen);
}

TEST_F(ModalWindowTest, SplashClosesAcrossMidnight) {
    fakeNow = 86399.5F;
    fakeStep = 0.4F;
    readings = 0;
    // Readings: 86399.9 (start), 86400.3 -> wraps below: the clock restarts at midnight.
    const tolvane::TimeOfDaySource clock = {nullptr, [](void*) -> float {
                                                ++readings;
                                                lastReadingAt = GetTickCount();
                                                fakeNow += fakeStep;
                                                if (fakeNow >= 86400.0F)
                                                    fakeNow -= 86400.0F;
                                                return fakeNow;
                                            }};
    tolvane::setSplashClock(&clock);
    whileRunning([] { tolvane::showBrisklow(NULL); }, [] { return false; });
    expectClosedAtTheLastReading();
    EXPECT_GE(readings, 4); // it closed, at the second tick or later
}

struct Gesture {
    HWND about = NULL;
    int step = 0;
    bool eggOpened = false;
    std::string eggCaption;
};

void setAlt(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_MENU] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

void mouse(HWND picture, UINT message, WPARAM flags, int x, int y) {
    SendMessageA(picture, message, flags, MAKELPARAM(x, y));
}

void clickLabel6(HWND about) {
    HWND label = GetDlgItem(about, IDC_About_Label6);
    SendMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

// Opens About, makes the gesture's first step, releases the left button at (x, y) with
// Ctrl+Alt, clicks Label6 six times; returns whether QuilletEgg opened.
bool tryGesture(int x, int y, std::string* aboutCaption = nullptr) {
    bool eggOpened = false;
    int phase = 0;
    whileRunning([] { tolvane::showAbout(NULL); },
                 [&] {
                     HWND egg = findThreadWindow("Quillet Egg");
                     if (egg != NULL) {
                         eggOpened = true;
                         PostMessageA(egg, WM_COMMAND, IDC_QuilletEgg_Command1, 0);
                         return true;
                     }
                     HWND about = findThreadWindow("About Us Here at Brisklow\xAE");
                     if (about == NULL)
                         return true;
                     if (aboutCaption != nullptr)
                         *aboutCaption = windowText(about);
                     HWND picture = GetDlgItem(about, IDC_About_Picture1);
                     if (phase == 0) {
                         setAlt(true);
                         mouse(picture, WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT | MK_CONTROL, 3, 3);
                         mouse(picture, WM_RBUTTONUP, MK_SHIFT | MK_CONTROL, 3, 3);
                         mouse(picture, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, x, y);
                         mouse(picture, WM_LBUTTONUP, MK_CONTROL, x, y);
                         setAlt(false);
                         for (int i = 0; i < 6; ++i)
                             clickLabel6(about);
                         phase = 1;
                         return true;
                     }
                     PostMessageA(about, WM_COMMAND, IDC_About_Command1, 0);
                     return false;
                 });
    return eggOpened;
}

TEST_F(ModalWindowTest, AboutGestureOpensTheHiddenPictureOnlyInsideTheStrictSpot) {
    std::string caption;
    // Pixels 229..247 across and 47..62 down are inside (twips strictly between).
    EXPECT_TRUE(tryGesture(229, 47, &caption));
    EXPECT_EQ(caption, "About Us Here at Brisklow\xAE"); // one sign per opening
    EXPECT_TRUE(tryGesture(247, 62));
    EXPECT_FALSE(tryGesture(228, 50)); // x = 3420 twips: on the edge
    EXPECT_FALSE(tryGesture(248, 50)); // x = 3720
    EXPECT_FALSE(tryGesture(240, 46)); // y = 690
    EXPECT_FALSE(tryGesture(240, 63)); // y = 945
}

} // namespace
