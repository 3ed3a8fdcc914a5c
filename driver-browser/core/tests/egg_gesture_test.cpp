// The About window's hidden gesture as a stage machine: which press arms it, the strict
// edges of the spot, the label count and the reset after the picture window.
#include "egg_gesture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tolvane {
namespace {

// Reaches stage 1 with the one press that arms the gesture.
EggGesture armed() {
    EggGesture g;
    g.pressed(RightButtonBit, ShiftBit | CtrlBit | AltBit);
    return g;
}

TEST(EggGestureStages, OnlyTheRightButtonWithShiftCtrlAltArmsFromAnyStage) {
    for (int from = 0; from <= 2; ++from) {
        for (int button = 0; button < 8; ++button) {
            for (int shift = 0; shift < 8; ++shift) {
                EggGesture g = from == 0 ? EggGesture() : armed();
                if (from == 2) {
                    g.released(LeftButtonBit, CtrlBit | AltBit, 3500, 800);
                }
                ASSERT_EQ(g.stage(), from);
                g.pressed(button, shift);
                const int expected = (button == 2 && shift == 7) ? 1 : from;
                EXPECT_EQ(g.stage(), expected)
                    << "from " << from << ", button " << button << ", shift " << shift;
            }
        }
    }
}

TEST(EggGestureStages, TheSpotIsOpenOnAllFourSides) {
    // Each bound and the nearest float values on either side of it.
    struct Probe {
        float x, y;
        bool inside;
    };
    const Probe probes[] = {
        {3420.0F, 800.0F, false},
        {std::nextafter(3420.0F, 4000.0F), 800.0F, true},
        {3720.0F, 800.0F, false},
        {std::nextafter(3720.0F, 0.0F), 800.0F, true},
        {3500.0F, 690.0F, false},
        {3500.0F, std::nextafter(690.0F, 1000.0F), true},
        {3500.0F, 945.0F, false},
        {3500.0F, std::nextafter(945.0F, 0.0F), true},
        {3421.0F, 691.0F, true},
        {3719.0F, 944.0F, true},
        {pixelsToTwips(228), pixelsToTwips(50), false},
        {pixelsToTwips(229), pixelsToTwips(50), true},
        {pixelsToTwips(247), pixelsToTwips(62), true},
        {pixelsToTwips(248), pixelsToTwips(50), false},
        {pixelsToTwips(230), pixelsToTwips(46), false},
        {pixelsToTwips(230), pixelsToTwips(47), true},
        {pixelsToTwips(230), pixelsToTwips(63), false},
    };
    for (const Probe& p : probes) {
        EggGesture g = armed();
        g.released(LeftButtonBit, CtrlBit | AltBit, p.x, p.y);
        EXPECT_EQ(g.stage(), p.inside ? 2 : 1) << "x " << p.x << ", y " << p.y;
    }
}

TEST(EggGestureStages, AroundTheSpotOnlyTheLeftButtonWithCtrlAltInsideAdvances) {
    // Every whole-twip position around the spot, every button and modifier set.
    for (int x = 3300; x <= 3800; x += 15) {
        for (int y = 600; y <= 1000; y += 5) {
            for (int button : {LeftButtonBit, RightButtonBit, MiddleButtonBit}) {
                for (int shift = 0; shift < 8; ++shift) {
                    EggGesture g = armed();
                    g.released(button, shift, static_cast<float>(x), static_cast<float>(y));
                    const bool inside = x > 3420 && x < 3720 && y > 690 && y < 945;
                    ASSERT_EQ(g.stage(), (inside && button == 1 && shift == 6) ? 2 : 1)
                        << x << "," << y << " b" << button << " s" << shift;
                }
            }
        }
    }
}

TEST(EggGestureStages, OnTheSpotOnlyTheLeftButtonWithCtrlAltAdvances) {
    for (int button = 0; button < 8; ++button) {
        for (int shift = 0; shift < 8; ++shift) {
            EggGesture g = armed();
            g.released(button, shift, 3500, 800);
            EXPECT_EQ(g.stage(), (button == 1 && shift == 6) ? 2 : 1)
                << "button " << button << ", shift " << shift;
        }
    }
}

TEST(EggGestureStages, AnyReleaseAwayFromStageOneResets) {
    EggGesture idle;
    idle.released(LeftButtonBit, CtrlBit | AltBit, 3500, 800);
    EXPECT_EQ(idle.stage(), 0);
    EggGesture g = armed();
    g.released(LeftButtonBit, CtrlBit | AltBit, 3500, 800);
    ASSERT_EQ(g.stage(), 2);
    g.labelClicked();
    ASSERT_EQ(g.stage(), 3);
    g.released(LeftButtonBit, CtrlBit | AltBit, 3500, 800); // even the right release
    EXPECT_EQ(g.stage(), 0);
    g.released(LeftButtonBit, CtrlBit | AltBit, 3500, 800);
    EXPECT_EQ(g.stage(), 0);
}

TEST(EggGestureStages, SixLabelClicksFromStageTwoOpenThePictureExactlyOnce) {
    EggGesture idle;
    for (int n = 0; n < 20; ++n) {
        EXPECT_FALSE(idle.labelClicked()) << "label click before step 1";
    }
    EXPECT_EQ(idle.stage(), 0);
    EggGesture g = armed();
    for (int n = 0; n < 20; ++n) {
        EXPECT_FALSE(g.labelClicked()) << "label click before step 2";
    }
    EXPECT_EQ(g.stage(), 1);
    g.released(LeftButtonBit, CtrlBit | AltBit, 3500, 800);
    for (int click = 1; click <= 5; ++click) {
        EXPECT_FALSE(g.labelClicked()) << "click " << click;
        EXPECT_EQ(g.stage(), 2 + click);
    }
    EXPECT_TRUE(g.labelClicked());
    EXPECT_EQ(g.stage(), 8);
    g.pictureClosed();
    EXPECT_EQ(g.stage(), 0);
    for (int n = 0; n < 10; ++n) {
        EXPECT_FALSE(g.labelClicked()) << "the whole gesture must be repeated";
    }
}

} // namespace
} // namespace tolvane
