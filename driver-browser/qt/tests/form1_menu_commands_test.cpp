// The main window's Exit command. What Change Directory, Help, About and the shortcut picture
// open and hand back is the conformance table's, played against both front-ends.
#include "form1.h"
#include "form1_test_support.h"

#include <QAction>
#include <gtest/gtest.h>

using namespace form1_test;

TEST(MenuCommands, ExitClosesTheMainWindow) {
    TempPrefix prefix;
    ASSERT_TRUE(prefix.valid());
    Form1 form;
    form.setSplashEnabled(false);
    form.load();
    form.show();
    ASSERT_TRUE(form.isVisible());
    form.findChild<QAction*>("Exitmen")->trigger();
    EXPECT_FALSE(form.isVisible());
}
