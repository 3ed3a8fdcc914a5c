// Run by scripts/with-wineboot-prefix.sh, which then looks for the file on $HOME/Desktop: in
// a prefix as wineboot makes it (no "desktop" under the Windows directory) a click on the
// main window's picture thanks the user.
#include "form1.h"
#include "form1_test_support.h"

#include <QTest>
#include <gtest/gtest.h>

TEST(ShortcutInAWinebootPrefix, PictureClickThanks) {
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("WINEPREFIX")) << "run with with-wineboot-prefix.sh";
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
}
