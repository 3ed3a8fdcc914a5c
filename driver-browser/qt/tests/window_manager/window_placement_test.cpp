// Where the six windows open under a real window manager: each window's definition gives
// the screen position and size of its client area (twips / 15 pixels); the frame the
// window manager adds goes round it. The test runs its own Xvfb display and window manager.
#include "about.h"
#include "brisklow.h"
#include "changedir.h"
#include "drv_help.h"
#include "form1.h"
#include "quillet_egg.h"
#include "x_session.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

// The test cannot run here at all (CTest counts this as skipped).
constexpr int kSkipped = 77;

// Shows `window` and waits until the window manager has framed and placed it and it has
// stopped moving. False when that does not happen in time.
bool showPlaced(QWidget& window, bool framed, int timeoutMs = 10000) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window, timeoutMs))
        return false;
    QElapsedTimer waited;
    waited.start();
    QRect last;
    int steady = 0;
    while (waited.elapsed() < timeoutMs) {
        QTest::qWait(50);
        const QRect now = window.frameGeometry();
        const bool hasFrame = now.size() != window.size();
        steady = (now == last && hasFrame == framed) ? steady + 1 : 0;
        last = now;
        if (steady >= 4)
            return true;
    }
    return false;
}

struct Placement {
    QPoint clientTopLeft;
    QSize clientSize;
};

void expectClientArea(QWidget& client, const Placement& expected) {
    EXPECT_EQ(client.mapToGlobal(QPoint(0, 0)), expected.clientTopLeft);
    EXPECT_EQ(client.size(), expected.clientSize);
}

TEST(WindowPlacement, MainWindowClientAreaBelowItsMenuBar) {
    Form1 form;
    ASSERT_TRUE(showPlaced(form, true));
    QWidget* client = form.centralWidget();
    ASSERT_NE(client, nullptr);
    // 4755 x 3930 twips at (1635, 2400).
    expectClientArea(*client, {{109, 160}, {317, 262}});
    EXPECT_GT(form.frameGeometry().height(), form.height()) << "no frame round the window";
}

TEST(WindowPlacement, SelectPathDialog) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString newpath = dir.path();
    changedir dialog(dir.path(), newpath, {QDir::rootPath()});
    ASSERT_TRUE(showPlaced(dialog, true));
    // 2865 x 1605 twips at (1800, 2460).
    expectClientArea(dialog, {{120, 164}, {191, 107}});
}

TEST(WindowPlacement, HelpWindow) {
    drvHelp help;
    ASSERT_TRUE(showPlaced(help, true));
    // 6690 x 5730 twips at (1140, 1545).
    expectClientArea(help, {{76, 103}, {446, 382}});
}

TEST(WindowPlacement, AboutWindow) {
    About about;
    ASSERT_TRUE(showPlaced(about, true));
    // 4875 x 6090 twips at (1110, 1545).
    expectClientArea(about, {{74, 103}, {325, 406}});
}

TEST(WindowPlacement, PictureWindow) {
    QuilletEgg egg;
    ASSERT_TRUE(showPlaced(egg, true));
    // 5985 x 5070 twips at (1140, 1545).
    expectClientArea(egg, {{76, 103}, {399, 338}});
}

TEST(WindowPlacement, SplashCentredWithoutAFrame) {
    Brisklow splash;
    splash.setClock([] { return 100.0F; }); // never a second later: stays up
    ASSERT_TRUE(showPlaced(splash, false));
    const QSize screen = splash.screen()->geometry().size();
    ASSERT_EQ(screen, QSize(1024, 768));
    // 6885 x 3285 twips, centred on the screen.
    const Placement expected{Brisklow::centredPosition(screen, QSize(459, 219)), {459, 219}};
    expectClientArea(splash, expected);
    EXPECT_EQ(splash.frameGeometry(), QRect(expected.clientTopLeft, expected.clientSize));
}

} // namespace

int main(int argc, char** argv) {
    const std::string missing = window_manager_test::XSession::unavailable();
    if (!missing.empty()) {
        std::printf("skipped: %s\n", missing.c_str());
        return kSkipped;
    }
    window_manager_test::XSession session;
    std::string error;
    if (!session.start(&error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    // The window manager is up once it frames a new window (one shown before it started
    // may never learn of its frame).
    bool managed = false;
    for (int attempt = 0; attempt < 5 && !managed; ++attempt) {
        QWidget probe;
        probe.resize(100, 100);
        managed = showPlaced(probe, true, 3000);
    }
    if (!managed) {
        std::fprintf(stderr, "the window manager did not frame a window\n");
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
