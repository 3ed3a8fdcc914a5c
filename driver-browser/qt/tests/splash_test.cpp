// The splash window: its definition, its load handler and the timer that closes it. When a
// tick closes it, and where it is centred, are the core's rules (splash_timer_test).
#include "brisklow.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <deque>

namespace {

// A clock that hands out the given times of day one after the other (the last one again
// when they run out).
struct ScriptedClock {
    std::deque<float> times;
    int reads = 0;
    float operator()() {
        ++reads;
        const float t = times.front();
        if (times.size() > 1)
            times.pop_front();
        return t;
    }
};

QTimer* timerOf(Brisklow& splash) {
    return splash.findChild<QTimer*>(QStringLiteral("T1"));
}

void tick(Brisklow& splash) {
    ASSERT_TRUE(QMetaObject::invokeMethod(&splash, "on_T1_timeout"));
}

// What the load changes, as it stands before: the caption, the timer (the rest of the
// definition is the windows table's, conformance/windows.txt).
TEST(SplashDefinition, AsDefinedBeforeLoading) {
    Brisklow splash;
    EXPECT_EQ(splash.windowTitle(), "Form2");
    EXPECT_EQ(splash.cursor().shape(), Qt::WaitCursor);
    QTimer* t1 = timerOf(splash);
    ASSERT_NE(t1, nullptr);
    EXPECT_EQ(t1->interval(), 1000);
    EXPECT_FALSE(t1->isActive());
}

TEST(SplashDefinition, BackgroundPictureIsDrawnAtTheTopLeft) {
    QPixmap picture(QStringLiteral(":/images/splash.png"));
    ASSERT_FALSE(picture.isNull()) << "the splash picture resource is missing";
    Brisklow splash;
    const QImage shown = splash.grab().toImage();
    const QImage expected = picture.toImage().convertToFormat(shown.format());
    ASSERT_EQ(shown.size(), QSize(459, 219));
    int differing = 0;
    for (int y = 0; y < 219; ++y)
        for (int x = 0; x < 459; ++x)
            differing += shown.pixel(x, y) != expected.pixel(x, y);
    EXPECT_EQ(differing, 0);
}

TEST(SplashLoad, CentresSetsCaptionChangesDirectoryAndStartsTheTimer) {
    QDir::setCurrent(QDir::rootPath());
    Brisklow splash;
    splash.show();
    EXPECT_EQ(splash.windowTitle(), "Brisklow -loading-");
    const QSize screen = splash.screen()->geometry().size();
    // Left = (screen width - window width) \ 2 in twips (15 twips per pixel).
    const int leftTwips = (screen.width() * 15 - 6885) / 2;
    const int topTwips = (screen.height() * 15 - 3285) / 2;
    EXPECT_EQ(splash.pos(), QPoint(qRound(leftTwips / 15.0), qRound(topTwips / 15.0)));
    EXPECT_EQ(QDir::current().canonicalPath(),
              QDir(QCoreApplication::applicationDirPath()).canonicalPath());
    ASSERT_NE(timerOf(splash), nullptr);
    EXPECT_TRUE(timerOf(splash)->isActive());
    EXPECT_EQ(timerOf(splash)->interval(), 1000);
    splash.hide();
}

TEST(SplashTick, FirstTickOnlyRecordsTheStart) {
    Brisklow splash;
    auto clock = std::make_shared<ScriptedClock>();
    clock->times = {100.0F, 100.0F};
    splash.setClock([clock] { return (*clock)(); });
    splash.show();
    tick(splash);
    EXPECT_TRUE(splash.isVisible());
    EXPECT_TRUE(timerOf(splash)->isActive());
    EXPECT_EQ(clock->reads, 2);
}

TEST(SplashTick, EscapeAndCloseRequestsDoNotCloseItBeforeItsTick) {
    Brisklow splash;
    float now = 700.0F;
    splash.setClock([&now] { return now; });
    splash.show();
    splash.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&splash));
    QTest::keyClick(&splash, Qt::Key_Escape);
    EXPECT_TRUE(splash.isVisible()) << "Escape closed the splash";
    EXPECT_FALSE(splash.close());
    EXPECT_TRUE(splash.isVisible()) << "a close request closed the splash";
    tick(splash);
    EXPECT_TRUE(splash.isVisible());
    QTest::keyClick(&splash, Qt::Key_Escape);
    EXPECT_TRUE(splash.isVisible());
    now = 701.0F;
    tick(splash);
    EXPECT_FALSE(splash.isVisible()) << "closes at the second tick";
    EXPECT_EQ(splash.result(), QDialog::Accepted);
}

TEST(SplashTick, StopsTheTimerAndAcceptsOnClosing) {
    Brisklow splash;
    float now = 500.0F;
    splash.setClock([&now] { return now; });
    splash.show();
    tick(splash);
    now = 501.5F;
    tick(splash);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(timerOf(splash)->isActive());
    EXPECT_EQ(splash.result(), QDialog::Accepted);
}

TEST(SplashRun, ModalRunClosesItselfFromItsTimer) {
    Brisklow splash;
    float now = 1000.0F;
    splash.setClock([&now] {
        now += 0.6F;
        return now;
    });
    timerOf(splash)->setInterval(5);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &splash,
                     [&splash] { splash.done(QDialog::Rejected); });
    watchdog.start(5000);
    EXPECT_EQ(splash.exec(), QDialog::Accepted);
    EXPECT_TRUE(watchdog.isActive()) << "the splash did not close by itself";
}

} // namespace
