// Start-up of the main window against a throw-away Wine prefix: the splash, the Windows
// directory, the driver list of its system folder and the first driver's details.
#include "brisklow.h"
#include "file_list_box.h"
#include "form1.h"
#include "form1_test_support.h"

#include <QCoreApplication>
#include <QLabel>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

using namespace form1_test;

namespace {

class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(prefix.valid());
        form.setPrinterFactory(nullptr);
    }
    void addSampleDrivers() {
        ASSERT_TRUE(
            prefix.add("VGA.DRV", fullDriver("Brisklow Display", "Standard VGA display", "3.10")));
        ASSERT_TRUE(
            prefix.add("keyboard.drv", fullDriver("Keymakers", "Keyboard driver", "1.2.3")));
        ASSERT_TRUE(prefix.add("Mmsound.Drv", driverBytes({})));
        ASSERT_TRUE(prefix.add("commctrl.dll", fullDriver("a", "b", "c")));
        ASSERT_TRUE(prefix.add("vmm.vxd", fullDriver("a", "b", "c")));
    }
    QStringList captions() { return valueCaptions(form); }
    QStringList entries() { return listEntries(form); }

    TempPrefix prefix;
    Form1 form;
};

TEST_F(Startup, SplashShowsCentredAndClosesFromItsTimer) {
    addSampleDrivers();
    struct Seen {
        int clockReads = 0;
        int ticks = 0;
        QString caption;
        QPoint position;
        bool visible = false;
        QString currentDir;
        bool formVisible = true;
    };
    auto seen = std::make_shared<Seen>();
    QSize splashSize;
    form.setSplashSetup([&, seen](Brisklow& splash) {
        splashSize = splash.size();
        auto* timer = splash.findChild<QTimer*>("T1");
        ASSERT_NE(timer, nullptr);
        timer->setInterval(5); // the real interval is a second; the fake clock stands in
        QObject::connect(timer, &QTimer::timeout, &splash, [seen] { ++seen->ticks; });
        splash.setClock([seen, &splash, this] {
            ++seen->clockReads;
            seen->caption = splash.windowTitle();
            seen->position = splash.pos();
            seen->visible = splash.isVisible();
            seen->currentDir = QDir::currentPath();
            seen->formVisible = form.isVisible();
            return 3600.0F + 0.6F * static_cast<float>(seen->clockReads);
        });
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            modal->done(QDialog::Rejected);
    });
    watchdog.start(5000);
    form.load();
    EXPECT_TRUE(watchdog.isActive()) << "the splash did not close by itself";
    watchdog.stop();

    EXPECT_EQ(seen->caption, "Brisklow -loading-");
    EXPECT_TRUE(seen->visible);
    EXPECT_FALSE(seen->formVisible);
    const QSize screen = form.screen()->geometry().size();
    EXPECT_EQ(seen->position, Brisklow::centredPosition(screen, splashSize));
    EXPECT_EQ(QDir(seen->currentDir).canonicalPath(),
              QDir(QCoreApplication::applicationDirPath()).canonicalPath());
    // The clock is read twice at the first tick and once at every later one.
    EXPECT_GE(seen->ticks, 2);
    EXPECT_LE(seen->ticks, 3);
    EXPECT_EQ(seen->clockReads, seen->ticks + 1);
    // After the splash: the system directory is listed and current.
    EXPECT_EQ(QDir::current().canonicalPath(), QDir(prefix.systemDir()).canonicalPath());
    EXPECT_EQ(entries(), QStringList({"keyboard.drv", "Mmsound.Drv", "VGA.DRV"}));
}

TEST_F(Startup, ListsTheSystemDirectoryAndShowsTheFirstDriver) {
    addSampleDrivers();
    form.setSplashEnabled(false);
    QSignalSpy selections(form.driverList(), &FileListBox::entrySelected);
    form.load();
    // The path change selects the first entry; selecting it again at the end of the
    // start-up runs nothing more.
    EXPECT_EQ(selections.count(), 1);
    EXPECT_EQ(form.WinPath, prefix.windowsDir());
    EXPECT_EQ(form.driverList()->path(), prefix.windowsDir() + "/system");
    EXPECT_EQ(QDir::current().canonicalPath(), QDir(prefix.systemDir()).canonicalPath());
    EXPECT_EQ(form.driverList()->pattern(), "*.drv");
    EXPECT_EQ(entries(), QStringList({"keyboard.drv", "Mmsound.Drv", "VGA.DRV"}));
    EXPECT_EQ(form.driverList()->selectedIndex(), 0);
    EXPECT_EQ(captions(), QStringList({"keyboard.drv", "Keyboard driver", "Keymakers", "1.2.3"}));
    EXPECT_TRUE(form.newpath.isEmpty());
}

TEST_F(Startup, MissingSystemDirectoryGivesAnEmptyListWithoutError) {
    ASSERT_TRUE(QDir(prefix.systemDir()).removeRecursively());
    const QString before = QDir::currentPath();
    form.setSplashEnabled(false);
    form.load();
    EXPECT_EQ(form.driverList()->path(), prefix.windowsDir() + "/system");
    EXPECT_EQ(form.driverList()->count(), 0);
    EXPECT_EQ(captions(), QStringList({"", "", "", ""}));
    EXPECT_EQ(QDir::currentPath(), before);
}

TEST_F(Startup, GetwinDirJoinsTheSystemFolderAsTheStringsStand) {
    addSampleDrivers();
    form.GetwinDir();
    EXPECT_EQ(form.WinPath, prefix.windowsDir());
    EXPECT_EQ(form.driverList()->path(), form.WinPath + "/system");
    EXPECT_EQ(form.driverList()->selectedIndex(), 0) << "the path change selects the first entry";
    // Calling it again points at the same directory: nothing changes.
    form.driverList()->setSelectedIndex(2);
    form.GetwinDir();
    EXPECT_EQ(form.driverList()->selectedIndex(), 2);
    EXPECT_EQ(captions()[0], "VGA.DRV");
}

TEST_F(Startup, MainWindowShowsAfterLoading) {
    addSampleDrivers();
    form.setSplashEnabled(false);
    form.load();
    form.show();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(captions()[0], "keyboard.drv");
    form.close();
}

} // namespace
