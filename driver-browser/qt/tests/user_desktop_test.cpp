// Run by scripts/with-wineboot-prefix.sh, which checks $HOME/Desktop afterwards: in a prefix
// as wineboot makes it, without a "desktop" folder under the Windows directory, a click on
// the main window's picture puts the file into the prefix user's Desktop and thanks.
#include "form1.h"
#include "form1_test_support.h"
#include "native_names.h"
#include "windows_directory.h"
#include "wine_desktop.h"

#include <QTest>
#include <gtest/gtest.h>

TEST(ShortcutInAWinebootPrefix, PictureClickPutsTheFileOnTheUsersDesktopAndThanks) {
    const std::string desktop = tolvane::wineUserDesktop(tolvane::winePrefix());
    ASSERT_FALSE(desktop.empty()) << "run through with-wineboot-prefix.sh";
    Form1 form;
    form.setSplashEnabled(false);
    form.load();
    form.show();
    bool seen = false;
    QString boxName;
    form1_test::withModal(
        [&] { QTest::mouseClick(form.findChild<QWidget*>("Picture1"), Qt::LeftButton); },
        [&](QWidget* modal) {
            boxName = modal->objectName();
            modal->close();
        },
        &seen);
    EXPECT_EQ(boxName.toStdString(), "thankYouBox");
    QFile shortcut(tolvane::pathFromNative(QByteArray::fromStdString(desktop + "/Harrowmint.URL")));
    ASSERT_TRUE(shortcut.open(QIODevice::ReadOnly));
    EXPECT_EQ(shortcut.readAll(), "[InternetShortcut]\r\nURL=http://www.brisklow.example/\r\n");
}
