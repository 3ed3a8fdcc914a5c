// The splash window: its definition, its load handler and the timer that closes it.
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

// Ticks the shown splash until it closes (at most 10 ticks); returns the closing tick.
int ticksUntilClosed(Brisklow& splash) {
    for (int n = 1; n <= 10; ++n) {
        tick(splash);
        if (!splash.isVisible())
            return n;
    }
    return -1;
}

int ticksToClose(std::deque<float> times) {
    Brisklow splash;
    auto clock = std::make_shared<ScriptedClock>();
    clock->times = std::move(times);
    splash.setClock([clock] { return (*clock)(); });
    splash.show();
    return ticksUntilClosed(splash);
}

TEST(SplashDefinition, AsDefinedBeforeLoading) {
    Brisklow splash;
    EXPECT_EQ(splash.objectName(), "Brisklow");
    EXPECT_EQ(splash.windowTitle(), "Form2");
    EXPECT_EQ(splash.size(), QSize(459, 219));
    EXPECT_EQ(splash.minimumSize(), QSize(459, 219));
    EXPECT_EQ(splash.maximumSize(), QSize(459, 219));
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(splash.cursor().shape(), Qt::WaitCursor);
    const QList<QSize> iconSizes = splash.windowIcon().availableSizes();
    EXPECT_TRUE(iconSizes.contains(QSize(32, 32)));
    EXPECT_TRUE(iconSizes.contains(QSize(16, 16)));
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

TEST(SplashLoad, CentredPositionFollowsTheTwipFormula) {
    for (int w = 459; w <= 3000; w += 7) {
        for (int h = 219; h <= 2000; h += 13) {
            const QPoint p = Brisklow::centredPosition(QSize(w, h), QSize(459, 219));
            const int left = (w * 15 - 459 * 15) / 2;
            const int top = (h * 15 - 219 * 15) / 2;
            ASSERT_EQ(p, QPoint(qRound(left / 15.0), qRound(top / 15.0))) << w << "x" << h;
            ASSERT_LE(std::abs(p.x() - (w - 459) / 2), 1);
        }
    }
    EXPECT_EQ(Brisklow::centredPosition(QSize(1024, 768), QSize(459, 219)), QPoint(282, 274));
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

TEST(SplashTick, ClosesAtTheSecondTickWhenASecondHasPassed) {
    // First tick: start 100.0 and now 100.0; second tick: now 101.0.
    EXPECT_EQ(ticksToClose({100.0F, 100.0F, 101.0F}), 2);
}

TEST(SplashTick, ClosesAtTheThirdTickWhenTheSecondFindsLessThanASecond) {
    EXPECT_EQ(ticksToClose({100.0F, 100.0F, 100.99F, 102.0F}), 3);
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

TEST(SplashTick, ClosesWhenStartedJustBeforeMidnight) {
    // The time of day restarts at 0 at midnight: the difference is taken across midnight.
    EXPECT_EQ(ticksToClose({86399.5F, 86399.5F, 0.6F}), 2);
    EXPECT_EQ(ticksToClose({86399.9F, 86399.9F, 0.5F, 1.2F}), 3);
    EXPECT_EQ(ticksToClose({86398.5F, 86398.5F, 86399.9F}), 2);
}

TEST(SplashTick, ClosesWithinThreeTicksForEveryStartTimeAndTickJitter) {
    // Ticks 1000 ms apart give or take 50 ms, from every start time across a day.
    for (float start = 0.5F; start < 86400.0F; start += 997.3F) {
        for (float jitter : {-0.05F, -0.01F, 0.0F, 0.03F}) {
            std::deque<float> times{start, start};
            float t = start;
            for (int n = 0; n < 9; ++n) {
                t += 1.0F + jitter;
                times.push_back(t >= 86400.0F ? t - 86400.0F : t);
            }
            const int closedAt = ticksToClose(times);
            EXPECT_GE(closedAt, 2) << start << " " << jitter;
            EXPECT_LE(closedAt, 3) << start << " " << jitter;
        }
    }
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
