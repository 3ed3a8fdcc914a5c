// The File Types menu, the refresh of the driver list and what the details show for each
// entry, including files that cannot be read.
#include "file_list_box.h"
#include "form1.h"
#include "form1_test_support.h"

#include <QAction>
#include <QLabel>
#include <QMap>
#include <QTest>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace form1_test;

namespace {

class FileTypes : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(prefix.valid());
        form.setSplashEnabled(false);
        ASSERT_TRUE(prefix.add("Beta.drv", fullDriver("Vendor B", "Driver B", "2.0")));
        ASSERT_TRUE(prefix.add("alpha.DRV", fullDriver("Vendor A", "Driver A", "1.0")));
        ASSERT_TRUE(prefix.add("Ccc.dll", fullDriver("Vendor C", "Library C", "3.0")));
        ASSERT_TRUE(prefix.add("aaa.dll", fullDriver("Vendor AA", "Library AA", "3.1")));
        ASSERT_TRUE(prefix.add("bz.VXD", fullDriver("Vendor Z", "Virtual device Z", "4.0")));
        ASSERT_TRUE(prefix.add("notes.txt", "not a driver"));
    }
    QAction* action(const char* name) { return form.findChild<QAction*>(name); }
    QStringList captions() { return valueCaptions(form); }
    QStringList entries() { return listEntries(form); }
    QList<bool> marks() {
        return {action("DRVOnly")->isChecked(), action("DLLOnly")->isChecked(),
                action("vxdonly")->isChecked(), action("BothDLLDRV")->isChecked()};
    }

    TempPrefix prefix;
    Form1 form;
};

TEST_F(FileTypes, EachItemSetsItsPatternAndTheOnlyCheckMark) {
    form.load();
    struct Case {
        const char* item;
        const char* pattern;
        QList<bool> marks;
        QStringList entries;
    };
    const Case cases[] = {
        {"DLLOnly", "*.dll", {false, true, false, false}, {"aaa.dll", "Ccc.dll"}},
        {"vxdonly", "*.vxd", {false, false, true, false}, {"bz.VXD"}},
        {"BothDLLDRV",
         "*.dll;*.drv;*.vxd",
         {false, false, false, true},
         {"aaa.dll", "alpha.DRV", "Beta.drv", "bz.VXD", "Ccc.dll"}},
        {"DRVOnly", "*.drv", {true, false, false, false}, {"alpha.DRV", "Beta.drv"}},
        {"vxdonly", "*.vxd", {false, false, true, false}, {"bz.VXD"}},
        {"DLLOnly", "*.dll", {false, true, false, false}, {"aaa.dll", "Ccc.dll"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        action(c.item)->trigger();
        EXPECT_EQ(form.driverList()->pattern(), c.pattern);
        EXPECT_EQ(marks(), c.marks);
        EXPECT_EQ(entries(), c.entries);
        EXPECT_EQ(form.driverList()->selectedIndex(), 0);
        EXPECT_EQ(captions()[0], c.entries.first());
    }
}

TEST_F(FileTypes, ClickingTheCheckedItemAgainKeepsItsMarkAndShowsTheFirstEntry) {
    form.load();
    form.driverList()->setSelectedIndex(1);
    ASSERT_EQ(captions()[0], "Beta.drv");
    action("DRVOnly")->trigger();
    EXPECT_EQ(marks(), QList<bool>({true, false, false, false}));
    EXPECT_EQ(form.driverList()->selectedIndex(), 0);
    EXPECT_EQ(captions(), QStringList({"alpha.DRV", "Driver A", "Vendor A", "1.0"}));
}

TEST_F(FileTypes, ATypeWithoutFilesClearsTheLabels) {
    form.load();
    ASSERT_EQ(captions(), QStringList({"alpha.DRV", "Driver A", "Vendor A", "1.0"}));
    ASSERT_TRUE(QFile::remove(prefix.systemDir() + "/bz.VXD"));
    action("vxdonly")->trigger();
    EXPECT_EQ(form.driverList()->count(), 0);
    EXPECT_EQ(form.driverList()->selectedIndex(), -1);
    EXPECT_EQ(captions(), QStringList({"", "", "", ""}));
    EXPECT_EQ(marks(), QList<bool>({false, false, true, false}));
}

TEST_F(FileTypes, RebuildSelectsTheFirstEntryEvenIfAnotherWasSelected) {
    form.load();
    action("BothDLLDRV")->trigger();
    form.driverList()->setSelectedIndex(3);
    ASSERT_EQ(captions(), QStringList({"bz.VXD", "Virtual device Z", "Vendor Z", "4.0"}));
    action("BothDLLDRV")->trigger();
    EXPECT_EQ(form.driverList()->selectedIndex(), 0);
    EXPECT_EQ(captions(), QStringList({"aaa.dll", "Library AA", "Vendor AA", "3.1"}));
}

TEST_F(FileTypes, ArrowKeysShowEveryEntryPassed) {
    form.load();
    action("BothDLLDRV")->trigger();
    QStringList shown;
    QObject::connect(form.driverList(), &FileListBox::entrySelected, &form,
                     [&] { shown << captions().join('|'); });
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(form.driverList(), Qt::Key_Down);
    QTest::keyClick(form.driverList(), Qt::Key_Up);
    // The details are shown (by the main window's own handler, connected first) before
    // this later connection records them.
    EXPECT_EQ(shown,
              QStringList({"alpha.DRV|Driver A|Vendor A|1.0", "Beta.drv|Driver B|Vendor B|2.0",
                           "bz.VXD|Virtual device Z|Vendor Z|4.0", "Ccc.dll|Library C|Vendor C|3.0",
                           "bz.VXD|Virtual device Z|Vendor Z|4.0"}));
}

TEST_F(FileTypes, ShowDriverInfoFillsTheDefaultsAndKeepsFoundEmptyValues) {
    ASSERT_TRUE(prefix.add("empty.drv", QByteArray()));
    ASSERT_TRUE(
        prefix.add("wide.drv", QByteArray("S\0t\0r\0i\0n\0g\0F\0i\0l\0e\0I\0n\0f\0o\0\0\0", 30) +
                                   QByteArray(300, 'x')));
    ASSERT_TRUE(prefix.add("novendor.drv",
                           driverBytes({{"FileDescription", "Mouse"}, {"FileVersion", "3.1"}})));
    ASSERT_TRUE(
        prefix.add("noversion.drv", driverBytes({{"CompanyName", "V"}, {"FileDescription", "D"}})));
    form.load();
    const QStringList names = entries();
    const QMap<QString, QStringList> expected = {
        {"empty.drv", {"No Information available on this driver", "N/A", "N/A"}},
        {"wide.drv", {"No Information available on this driver", "N/A", "N/A"}},
        {"novendor.drv", {"Mouse", "", "3.1"}},
        {"noversion.drv", {"D", "V", "N/A"}},
    };
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        SCOPED_TRACE(it.key().toStdString());
        const int index = static_cast<int>(names.indexOf(it.key()));
        ASSERT_GE(index, 0);
        form.driverList()->setSelectedIndex(index);
        EXPECT_EQ(captions(), QStringList({it.key()}) + it.value());
    }
}

TEST_F(FileTypes, LabelsShowValuesAsPlainText) {
    ASSERT_TRUE(prefix.add("0html.drv", fullDriver("<b>Bold</b> &amp;", "<i>x</i>", "1&2")));
    form.load();
    EXPECT_EQ(captions(), QStringList({"0html.drv", "<i>x</i>", "<b>Bold</b> &amp;", "1&2"}));
}

TEST_F(FileTypes, AFileDeletedSinceListingShowsTheReason) {
    ASSERT_TRUE(prefix.add("0gone.drv", fullDriver("V", "D", "1")));
    form.load();
    ASSERT_EQ(entries().first(), "0gone.drv");
    form.driverList()->setSelectedIndex(1);
    ASSERT_TRUE(QFile::remove(prefix.systemDir() + "/0gone.drv"));
    form.driverList()->setSelectedIndex(0);
    const QStringList shown = captions();
    EXPECT_EQ(shown[0], "0gone.drv");
    EXPECT_FALSE(shown[1].isEmpty());
    EXPECT_NE(shown[1], "No Information available on this driver");
    EXPECT_NE(shown[1], "D");
    EXPECT_EQ(shown[2], "N/A");
    EXPECT_EQ(shown[3], "N/A");
}

TEST_F(FileTypes, AFileReplacedByADirectoryOrAPipeShowsTheReasonWithoutHanging) {
    ASSERT_TRUE(prefix.add("0dir.drv", fullDriver("V", "D", "1")));
    ASSERT_TRUE(prefix.add("0fifo.drv", fullDriver("V", "D", "1")));
    form.load();
    ASSERT_EQ(entries().mid(0, 2), QStringList({"0dir.drv", "0fifo.drv"}));
    form.driverList()->setSelectedIndex(2);
    const QString dir = prefix.systemDir() + "/0dir.drv";
    const QString fifo = prefix.systemDir() + "/0fifo.drv";
    ASSERT_TRUE(QFile::remove(dir));
    ASSERT_TRUE(QDir().mkdir(dir));
    ASSERT_TRUE(QFile::remove(fifo));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    for (int index : {0, 1}) {
        form.driverList()->setSelectedIndex(index);
        const QStringList shown = captions();
        EXPECT_EQ(shown[0], entries()[index]);
        EXPECT_FALSE(shown[1].isEmpty());
        EXPECT_NE(shown[1], "D");
        EXPECT_EQ(shown[2], "N/A");
        EXPECT_EQ(shown[3], "N/A");
    }
}

TEST_F(FileTypes, NonexistentListPathGivesAnEmptyListAndEmptyLabels) {
    form.load();
    ASSERT_FALSE(captions()[0].isEmpty());
    form.driverList()->setPath(prefix.windowsDir() + "/no-such-directory");
    EXPECT_EQ(form.driverList()->count(), 0);
    EXPECT_EQ(captions(), QStringList({"", "", "", ""}));
    action("BothDLLDRV")->trigger();
    EXPECT_EQ(form.driverList()->count(), 0);
    EXPECT_EQ(captions(), QStringList({"", "", "", ""}));
}

} // namespace
