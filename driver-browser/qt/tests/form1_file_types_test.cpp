// What the main window's labels do with the values the toolkit shows, a driver that is a
// pipe, and a list pointed at a directory that does not exist. The File Types items and the
// details of every kind of driver file are the conformance table's, played against both
// front-ends.
#include "file_list_box.h"
#include "form1.h"
#include "form1_test_support.h"

#include <QAction>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace form1_test;

namespace {

class FileTypes : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(prefix.valid());
        form.setSplashEnabled(false);
        ASSERT_TRUE(prefix.add("alpha.drv", fullDriver("Vendor A", "Driver A", "1.0")));
    }
    QStringList captions() { return valueCaptions(form); }

    TempPrefix prefix;
    Form1 form;
};

TEST_F(FileTypes, LabelsShowValuesAsPlainText) {
    ASSERT_TRUE(prefix.add("0html.drv", fullDriver("<b>Bold</b> &amp;", "<i>x</i>", "1&2")));
    form.load();
    EXPECT_EQ(captions(), QStringList({"0html.drv", "<i>x</i>", "<b>Bold</b> &amp;", "1&2"}));
}

TEST_F(FileTypes, ADriverReplacedByAPipeShowsTheReasonWithoutHanging) {
    ASSERT_TRUE(prefix.add("0fifo.drv", fullDriver("V", "D", "1")));
    form.load();
    ASSERT_EQ(listEntries(form).value(0), "0fifo.drv");
    form.driverList()->setSelectedIndex(1);
    const QString fifo = prefix.systemDir() + "/0fifo.drv";
    ASSERT_TRUE(QFile::remove(fifo));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    form.driverList()->setSelectedIndex(0);
    EXPECT_EQ(captions(),
              QStringList({"0fifo.drv", "Could not read this file: it is not a regular file", "N/A",
                           "N/A"}));
}

TEST_F(FileTypes, NonexistentListPathGivesAnEmptyListAndEmptyLabels) {
    form.load();
    ASSERT_FALSE(captions()[0].isEmpty());
    form.driverList()->setPath(prefix.windowsDir() + "/no-such-directory");
    EXPECT_EQ(form.driverList()->count(), 0);
    EXPECT_EQ(captions(), QStringList({"", "", "", ""}));
    form.findChild<QAction*>("BothDLLDRV")->trigger();
    EXPECT_EQ(form.driverList()->count(), 0);
    EXPECT_EQ(captions(), QStringList({"", "", "", ""}));
}

} // namespace
