// The hidden picture window: no icon of its own, its background, its button. Its definition is
// the windows table's (conformance/windows.txt).
#include "about.h"
#include "quillet_egg.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

TEST(QuilletEggWindow, HasNoIconEvenWhenItsOwnerAndTheApplicationHaveOne) {
    QPixmap pixels(16, 16);
    pixels.fill(Qt::red);
    const QIcon appIcon = QApplication::windowIcon();
    QApplication::setWindowIcon(QIcon(pixels));
    {
        About owner;
        ASSERT_FALSE(owner.windowIcon().isNull());
        QuilletEgg egg(&owner);
        EXPECT_TRUE(egg.windowIcon().isNull());
        QuilletEgg alone;
        EXPECT_TRUE(alone.windowIcon().isNull());
    }
    QApplication::setWindowIcon(appIcon);
}

TEST(QuilletEggWindow, BackgroundIsDrawnAtTheTopLeft) {
    QuilletEgg egg;
    egg.show();
    const QImage shot = egg.grab().toImage();
    const QImage picture = QImage(":/images/quillet_egg.png").convertToFormat(shot.format());
    ASSERT_EQ(picture.size(), QSize(400, 300));
    const int dpr = int(shot.devicePixelRatio());
    // The picture's pixels show through wherever the button does not cover them.
    int compared = 0;
    for (int y = 0; y < 300; y += 7) {
        for (int x = 0; x < 399; x += 7) {
            if (egg.childAt(x, y))
                continue;
            ASSERT_EQ(shot.pixel(x * dpr, y * dpr), picture.pixel(x, y)) << x << "," << y;
            ++compared;
        }
    }
    EXPECT_GT(compared, 2000);
}

TEST(QuilletEggWindow, EscapeDoesNothingButTheFrameCloses) {
    About owner;
    QuilletEgg egg(&owner);
    egg.show();
    egg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&egg));
    auto* button = egg.findChild<QPushButton*>("Command1");
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Escape);
    EXPECT_TRUE(egg.isVisible());
    QTest::keyClick(&egg, Qt::Key_Escape);
    EXPECT_TRUE(egg.isVisible());
    EXPECT_TRUE(egg.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(egg.close()) << "closing by the window frame";
    EXPECT_FALSE(egg.isVisible());
}

TEST(QuilletEggWindow, EnterOnTheFocusedButtonCloses) {
    QuilletEgg egg;
    egg.show();
    egg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&egg));
    auto* button = egg.findChild<QPushButton*>("Command1");
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Enter);
    EXPECT_FALSE(egg.isVisible());
}
