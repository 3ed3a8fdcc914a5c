// The shortcut in a Wine prefix as wineboot makes it (run by scripts/with-wineboot-prefix.sh,
// which checks the file on $HOME/Desktop afterwards): the Windows directory has no "desktop"
// folder, so a click on the main window's picture puts the file into the prefix user's
// Desktop folder, and the thanks show.
#include "form1.h"
#include "form1_test_support.h"
#include "native_names.h"
#include "windows_directory.h"
#include "wine_desktop.h"

#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <gtest/gtest.h>

using namespace form1_test;

TEST(ShortcutInAWinebootPrefix, PictureClickPutsTheFileOnTheUsersDesktopAndThanks) {
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("WINEPREFIX"))
        << "run through with-wineboot-prefix.sh";
    const QString desktop = tolvane::pathFromNative(
        QByteArray::fromStdString(tolvane::wineUserDesktop(tolvane::winePrefix())));
    ASSERT_FALSE(desktop.isEmpty());
    Form1 form;
    form.setSplashEnabled(false);
    form.load();
    form.show();
    bool seen = false;
    QString boxName, boxText;
    withModal([&] { QTest::mouseClick(form.findChild<QWidget*>("Picture1"), Qt::LeftButton); },
              [&](QWidget* modal) {
                  boxName = modal->objectName();
                  if (auto* box = qobject_cast<QMessageBox*>(modal))
                      boxText = box->text();
                  modal->close();
              },
              &seen);
    EXPECT_TRUE(seen);
    EXPECT_EQ(boxName.toStdString(), "thankYouBox") << boxText.toStdString();
    QFile shortcut(desktop + "/Harrowmint.URL");
    ASSERT_TRUE(shortcut.open(QIODevice::ReadOnly)) << shortcut.fileName().toStdString();
    EXPECT_EQ(shortcut.readAll(), "[InternetShortcut]\r\nURL=http://www.brisklow.example/\r\n");
    form.close();
}
