// The about window: the registered sign in the caption, its picture, and the hidden gesture
// through real mouse events on the window (the stages themselves are the core's,
// egg_gesture_test). Its definition is the windows table's (conformance/windows.txt).
#include "about.h"
#include "ansi_codepage.h"
#include "modal_box_watch.h"
#include "quillet_egg.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString registeredSign = QString(QChar(0x00AE));

constexpr Qt::KeyboardModifiers allThree =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
constexpr Qt::KeyboardModifiers ctrlAlt = Qt::ControlModifier | Qt::AltModifier;

// Pixel positions on the picture inside and at the edges of the spot (3420..3720 x 690..945
// twips, exclusive): pixels 229..247 across and 47..62 down.
const QPoint inSpot(230, 50);

QLabel* label(About& about, const char* name) {
    return about.findChild<QLabel*>(name);
}

} // namespace

TEST(AboutWindow, PictureIsDrawnFromItsTopLeftCorner) {
    About about;
    QLabel* picture = label(about, "Picture1");
    EXPECT_EQ(picture->alignment(), Qt::AlignLeft | Qt::AlignTop);
    EXPECT_EQ(picture->contentsRect().topLeft(), QPoint(0, 0));
}

TEST(AboutWindow, CaptionCarriesOneRegisteredSignPerOpening) {
    EXPECT_EQ(QChar(tolvane::ansiToChar(174)), QChar(0x00AE));
    for (int opening = 0; opening < 3; ++opening) {
        About about;
        EXPECT_EQ(about.windowTitle(), "About Us Here at Brisklow" + registeredSign);
    }
}

TEST(AboutWindow, TheKeypadsEnterOnThePictureDoesNotCloseIt) {
    About about;
    about.show();
    about.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    QTest::keyClick(about.focusWidget(), Qt::Key_Enter);
    EXPECT_TRUE(about.isVisible());
}

TEST(AboutWindow, EscapeAndCloseRequestsLeaveItOpen) {
    About about;
    EXPECT_FALSE(about.windowFlags() & Qt::WindowCloseButtonHint) << "no close button";
    about.show();
    about.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    for (QWidget* target :
         {about.focusWidget(), static_cast<QWidget*>(about.findChild<QPushButton*>("Command1"))}) {
        ASSERT_NE(target, nullptr);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_TRUE(about.isVisible()) << target->objectName().toStdString();
    }
    EXPECT_FALSE(about.close());
    EXPECT_TRUE(about.isVisible());
    about.reject();
    EXPECT_TRUE(about.isVisible());
    QTest::mouseClick(about.findChild<QPushButton*>("Command1"), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

// ---- the gesture through real mouse events on the window ----

namespace {

struct AboutOnScreen : ::testing::Test {
    About about;
    QLabel* picture = nullptr;
    QLabel* label6 = nullptr;

    void SetUp() override {
        about.show();
        picture = about.findChild<QLabel*>("Picture1");
        label6 = about.findChild<QLabel*>("Label6");
        ASSERT_NE(picture, nullptr);
        ASSERT_NE(label6, nullptr);
    }
    void arm() {
        QTest::mousePress(picture, Qt::RightButton, allThree, QPoint(10, 10));
        QTest::mouseRelease(picture, Qt::RightButton, allThree, QPoint(10, 10));
    }
    void spotClick(QPoint at, Qt::KeyboardModifiers mods = ctrlAlt) {
        QTest::mousePress(picture, Qt::LeftButton, mods, at);
        QTest::mouseRelease(picture, Qt::LeftButton, mods, at);
    }
    void clickLabel() { QTest::mouseClick(label6, Qt::LeftButton, {}, QPoint(20, 10)); }
};

} // namespace

TEST_F(AboutOnScreen, StartsIdle) {
    EXPECT_EQ(about.EggStage(), 0);
}

TEST_F(AboutOnScreen, RightPressWithAllModifiersArmsAndItsReleaseKeepsStageOne) {
    QTest::mousePress(picture, Qt::RightButton, allThree, QPoint(300, 190));
    EXPECT_EQ(about.EggStage(), 1);
    QTest::mouseRelease(picture, Qt::RightButton, allThree, QPoint(300, 190));
    EXPECT_EQ(about.EggStage(), 1);
}

TEST_F(AboutOnScreen, RightPressWithoutAllModifiersDoesNotArm) {
    for (Qt::KeyboardModifiers mods :
         {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(ctrlAlt),
          Qt::KeyboardModifiers(Qt::ShiftModifier | Qt::ControlModifier),
          Qt::KeyboardModifiers(Qt::ShiftModifier | Qt::AltModifier)}) {
        QTest::mousePress(picture, Qt::RightButton, mods, QPoint(10, 10));
        EXPECT_EQ(about.EggStage(), 0);
        QTest::mouseRelease(picture, Qt::RightButton, mods, QPoint(10, 10));
    }
    QTest::mousePress(picture, Qt::LeftButton, allThree, QPoint(10, 10));
    EXPECT_EQ(about.EggStage(), 0);
    QTest::mouseRelease(picture, Qt::LeftButton, allThree, QPoint(10, 10));
}

TEST_F(AboutOnScreen, SpotEdgeKeepsStageOneThenInsideReachesTwo) {
    arm();
    spotClick(QPoint(228, 50)); // X = 3420 twips exactly: the edge
    EXPECT_EQ(about.EggStage(), 1);
    spotClick(QPoint(248, 50)); // X = 3720
    EXPECT_EQ(about.EggStage(), 1);
    spotClick(QPoint(230, 46)); // Y = 690
    EXPECT_EQ(about.EggStage(), 1);
    spotClick(QPoint(230, 63)); // Y = 945
    EXPECT_EQ(about.EggStage(), 1);
    spotClick(inSpot, allThree); // Shift held as well
    EXPECT_EQ(about.EggStage(), 1);
    spotClick(QPoint(229, 47));
    EXPECT_EQ(about.EggStage(), 2);
}

TEST_F(AboutOnScreen, EveryPixelOfThePictureAgreesWithTheSpot) {
    for (int x = 0; x < 321; ++x) {
        for (int y : {46, 47, 62, 63}) {
            arm();
            spotClick(QPoint(x, y));
            const bool inside = x >= 229 && x <= 247 && y >= 47 && y <= 62;
            ASSERT_EQ(about.EggStage(), inside ? 2 : 1) << x << "," << y;
        }
    }
}

TEST_F(AboutOnScreen, SixthLabelClickOpensThePictureModallyAndResets) {
    arm();
    spotClick(inSpot);
    ASSERT_EQ(about.EggStage(), 2);
    for (int click = 1; click <= 5; ++click) {
        clickLabel();
        EXPECT_EQ(about.EggStage(), 2 + click);
    }
    int stageWhileOpen = -1;
    ModalWatch<QuilletEgg> watch(
        [&](QuilletEgg* egg) {
            EXPECT_TRUE(egg->isModal());
            EXPECT_EQ(egg->parentWidget(), &about);
            EXPECT_EQ(egg->windowTitle(), "Quillet Egg");
            stageWhileOpen = about.EggStage();
        },
        [](QuilletEgg* egg) {
            QTest::mouseClick(egg->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        });
    clickLabel(); // sixth click: runs the picture window's modal loop until it is closed
    EXPECT_EQ(watch.seen(), 1);
    EXPECT_EQ(stageWhileOpen, 8);
    EXPECT_EQ(about.EggStage(), 0);

    // The repeat needs the whole gesture again.
    watch.stop();
    ModalWatch<QuilletEgg> none({}, {}, ModalWatch<QuilletEgg>::NotExpected);
    for (int i = 0; i < 10; ++i)
        clickLabel();
    EXPECT_EQ(none.seen(), 0);
    EXPECT_EQ(about.EggStage(), 0);
}

TEST_F(AboutOnScreen, FurtherReleaseOnThePictureAfterStepTwoResets) {
    arm();
    spotClick(inSpot);
    clickLabel();
    ASSERT_EQ(about.EggStage(), 3);
    QTest::mouseClick(picture, Qt::MiddleButton, {}, QPoint(5, 5));
    EXPECT_EQ(about.EggStage(), 0);
}

TEST(AboutWindow, ReopeningResetsTheGesture) {
    {
        About first;
        first.show();
        auto* picture = first.findChild<QLabel*>("Picture1");
        QTest::mousePress(picture, Qt::RightButton, allThree, QPoint(1, 1));
        QTest::mouseRelease(picture, Qt::RightButton, allThree, QPoint(1, 1));
        QTest::mousePress(picture, Qt::LeftButton, ctrlAlt, inSpot);
        QTest::mouseRelease(picture, Qt::LeftButton, ctrlAlt, inSpot);
        ASSERT_EQ(first.EggStage(), 2);
    }
    About second;
    EXPECT_EQ(second.EggStage(), 0);
    EXPECT_EQ(second.windowTitle().count(registeredSign), 1);
}
