// The main window's commands that open other windows or end the program: Change Directory,
// Help, About, the shortcut picture and Exit.
#include "directory_list.h"
#include "file_list_box.h"
#include "form1.h"
#include "form1_test_support.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace form1_test;

namespace {

class MenuCommands : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(prefix.valid());
        ASSERT_TRUE(prefix.add("one.drv", fullDriver("V1", "D1", "1")));
        ASSERT_TRUE(prefix.add("two.drv", fullDriver("V2", "D2", "2")));
        other = prefix.windowsDir() + "/other";
        ASSERT_TRUE(QDir().mkpath(other));
        ASSERT_TRUE(writeFile(other + "/zeta.drv", fullDriver("VZ", "DZ", "9")));
        form.setSplashEnabled(false);
        form.load();
    }
    QAction* action(const char* name) { return form.findChild<QAction*>(name); }
    QString fileName() { return form.findChild<QLabel*>("FileNamelbl")->text(); }

    TempPrefix prefix;
    Form1 form;
    QString other;
};

TEST_F(MenuCommands, ChangeDirectoryCancelLeavesTheList) {
    const QString before = form.driverList()->path();
    form.driverList()->setSelectedIndex(1);
    bool seen = false;
    QString dialogName;
    withModal([&] { action("chdr")->trigger(); },
              [&](QWidget* modal) {
                  dialogName = modal->objectName();
                  auto* dir = modal->findChild<DirectoryList*>("Dir1");
                  if (dir)
                      dir->setPath(other);
                  auto* cancel = modal->findChild<QPushButton*>("Command2");
                  ASSERT_NE(cancel, nullptr);
                  QTest::mouseClick(cancel, Qt::LeftButton);
              },
              &seen);
    EXPECT_TRUE(seen);
    EXPECT_EQ(dialogName, "changedir");
    EXPECT_EQ(form.newpath, before);
    EXPECT_EQ(form.driverList()->path(), before);
    EXPECT_EQ(form.driverList()->selectedIndex(), 1) << "the list was not rebuilt";
    EXPECT_EQ(fileName(), "two.drv");
}

TEST_F(MenuCommands, ChangeDirectoryOkPointsTheListAtTheChosenDirectory) {
    bool seen = false;
    QString startPath;
    withModal([&] { action("chdr")->trigger(); },
              [&](QWidget* modal) {
                  auto* dir = modal->findChild<DirectoryList*>("Dir1");
                  ASSERT_NE(dir, nullptr);
                  startPath = dir->path();
                  ASSERT_TRUE(dir->setPath(other));
                  auto* ok = modal->findChild<QPushButton*>("Command1");
                  ASSERT_NE(ok, nullptr);
                  QTest::mouseClick(ok, Qt::LeftButton);
              },
              &seen);
    EXPECT_TRUE(seen);
    EXPECT_EQ(QDir(startPath).canonicalPath(), QDir(prefix.systemDir()).canonicalPath());
    EXPECT_EQ(QDir(form.newpath).canonicalPath(), QDir(other).canonicalPath());
    EXPECT_EQ(form.driverList()->path(), form.newpath);
    ASSERT_EQ(form.driverList()->count(), 1);
    EXPECT_EQ(form.driverList()->entry(0), "zeta.drv");
    EXPECT_EQ(form.driverList()->selectedIndex(), 0);
    EXPECT_EQ(fileName(), "zeta.drv");
}

TEST_F(MenuCommands, ChangeDirectoryOkOnTheShownDirectoryChangesNothing) {
    form.driverList()->setSelectedIndex(1);
    bool seen = false;
    withModal([&] { action("chdr")->trigger(); },
              [&](QWidget* modal) {
                  auto* ok = modal->findChild<QPushButton*>("Command1");
                  ASSERT_NE(ok, nullptr);
                  QTest::mouseClick(ok, Qt::LeftButton);
              },
              &seen);
    EXPECT_TRUE(seen);
    EXPECT_EQ(form.driverList()->selectedIndex(), 1);
    EXPECT_EQ(fileName(), "two.drv");
}

TEST_F(MenuCommands, HelpAndAboutOpenModally) {
    for (const auto& [item, window] :
         {std::pair{"Helpme", "drvHelp"}, std::pair{"AboutMe", "About"}}) {
        SCOPED_TRACE(item);
        bool seen = false;
        QString name;
        withModal([&, item = item] { action(item)->trigger(); },
                  [&](QWidget* modal) {
                      name = modal->objectName();
                      // Each window's own button: the about window has no other way out.
                      auto* button = modal->findChild<QPushButton*>("Command1");
                      ASSERT_NE(button, nullptr);
                      button->click();
                  },
                  &seen);
        EXPECT_TRUE(seen);
        EXPECT_EQ(name, window);
    }
}

TEST_F(MenuCommands, PictureClickWritesTheDesktopShortcutAndThanks) {
    ASSERT_TRUE(QDir().mkpath(prefix.windowsDir() + "/desktop"));
    form.show();
    auto* picture = form.findChild<QWidget*>("Picture1");
    ASSERT_NE(picture, nullptr);
    bool seen = false;
    QString boxName;
    withModal([&] { QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(20, 20)); },
              [&](QWidget* modal) {
                  boxName = modal->objectName();
                  modal->close();
              },
              &seen);
    EXPECT_TRUE(seen);
    EXPECT_EQ(boxName, "thankYouBox");
    QFile shortcut(prefix.windowsDir() + "/desktop/Harrowmint.URL");
    ASSERT_TRUE(shortcut.open(QIODevice::ReadOnly));
    EXPECT_TRUE(shortcut.readAll().startsWith("[InternetShortcut]\r\nURL="));
    form.close();
}

TEST_F(MenuCommands, ExitClosesTheMainWindow) {
    form.show();
    ASSERT_TRUE(form.isVisible());
    action("Exitmen")->trigger();
    EXPECT_FALSE(form.isVisible());
}

} // namespace
