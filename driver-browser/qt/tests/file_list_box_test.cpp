// The driver list control on its own: listing, path and pattern changes, the three
// notifications and selection by program and keyboard.
#include "file_list_box.h"
#include "form1_test_support.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace form1_test;

namespace {

class FileListBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        for (const char* name : {"b.drv", "A.DRV", "c.Drv", "x.dll", "Y.vxd", "readme.txt"})
            ASSERT_TRUE(writeFile(dir.filePath(name), "x"));
        ASSERT_TRUE(QDir(dir.path()).mkdir("sub.drv"));
        ASSERT_TRUE(writeFile(dir.filePath(".hidden.drv"), "x"));
    }
    QStringList entries() const {
        QStringList names;
        for (int i = 0; i < list.count(); ++i)
            names << list.entry(i);
        return names;
    }

    QTemporaryDir dir;
    FileListBox list;
};

TEST_F(FileListBoxTest, StartsWithNoPathAndListsNothing) {
    EXPECT_TRUE(list.path().isEmpty());
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(list.entry(0), QString());
}

TEST_F(FileListBoxTest, ListsMatchingFilesSortedIgnoringCase) {
    list.setPattern("*.drv");
    list.setPath(dir.path());
    EXPECT_EQ(entries(), QStringList({"A.DRV", "b.drv", "c.Drv"}));
    EXPECT_EQ(list.selectedIndex(), -1);
    list.setPattern("*.dll;*.drv;*.vxd");
    EXPECT_EQ(entries(), QStringList({"A.DRV", "b.drv", "c.Drv", "x.dll", "Y.vxd"}));
    list.setPattern("*.txt");
    EXPECT_EQ(entries(), QStringList({"readme.txt"}));
}

TEST_F(FileListBoxTest, PathChangeIsRaisedOnlyForADifferentDirectory) {
    QSignalSpy pathSpy(&list, &FileListBox::pathChanged);
    QSignalSpy patternSpy(&list, &FileListBox::patternChanged);
    list.setPath(dir.path());
    EXPECT_EQ(pathSpy.count(), 1);
    list.setPath(dir.path());
    EXPECT_EQ(pathSpy.count(), 1);
    list.setPath(dir.path() + "/.");
    EXPECT_EQ(pathSpy.count(), 1) << "the same directory written differently";
    EXPECT_EQ(list.path(), dir.path());
    list.setPath(dir.path() + "/sub.drv");
    EXPECT_EQ(pathSpy.count(), 2);
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(patternSpy.count(), 0);
}

TEST_F(FileListBoxTest, SettingThePatternAlwaysRebuildsAndNotifies) {
    list.setPath(dir.path());
    list.setPattern("*.drv");
    QSignalSpy patternSpy(&list, &FileListBox::patternChanged);
    QSignalSpy pathSpy(&list, &FileListBox::pathChanged);
    list.setSelectedIndex(2);
    list.setPattern("*.drv");
    EXPECT_EQ(patternSpy.count(), 1);
    EXPECT_EQ(list.selectedIndex(), -1) << "a rebuild leaves nothing selected";
    EXPECT_EQ(list.pattern(), "*.drv");
    EXPECT_EQ(pathSpy.count(), 0);
}

TEST_F(FileListBoxTest, NotificationsComeAfterTheRebuild) {
    list.setPattern("*.drv");
    int countSeen = -1;
    int selectedSeen = 99;
    QObject::connect(&list, &FileListBox::pathChanged, [&] {
        countSeen = list.count();
        selectedSeen = list.selectedIndex();
    });
    list.setPath(dir.path());
    EXPECT_EQ(countSeen, 3);
    EXPECT_EQ(selectedSeen, -1);
}

TEST_F(FileListBoxTest, SelectionNotificationOnlyWhenTheSelectionChanges) {
    list.setPattern("*.drv");
    list.setPath(dir.path());
    QSignalSpy spy(&list, &FileListBox::entrySelected);
    list.setSelectedIndex(1);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 1);
    list.setSelectedIndex(1);
    EXPECT_EQ(spy.count(), 1) << "selecting the selected entry again raises nothing";
    list.setSelectedIndex(0);
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(list.selectedIndex(), 0);
    EXPECT_TRUE(list.item(0)->isSelected());
    list.setSelectedIndex(-1);
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(spy.count(), 2) << "clearing the selection is no selection of an entry";
}

TEST_F(FileListBoxTest, ArrowKeysRaiseTheNotificationForEveryEntryPassed) {
    list.setPattern("*.dll;*.drv;*.vxd");
    list.setPath(dir.path());
    list.setSelectedIndex(0);
    QSignalSpy spy(&list, &FileListBox::entrySelected);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_Down); // already at the last entry
    QTest::keyClick(&list, Qt::Key_Up);
    QList<int> seen;
    for (const QList<QVariant>& args : spy)
        seen << args.at(0).toInt();
    EXPECT_EQ(seen, QList<int>({1, 2, 3, 4, 3}));
    EXPECT_EQ(list.selectedIndex(), 3);
}

TEST_F(FileListBoxTest, MouseClickSelects) {
    list.setPattern("*.drv");
    list.setPath(dir.path());
    list.resize(200, 200);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    QSignalSpy spy(&list, &FileListBox::entrySelected);
    const QRect second = list.visualItemRect(list.item(2));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second.center());
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 2);
    EXPECT_EQ(list.selectedIndex(), 2);
}

TEST_F(FileListBoxTest, NoKeyOrClickLeavesTheSelectedEntryWithoutItsHighlight) {
    list.setPattern("*.dll;*.drv;*.vxd");
    list.setPath(dir.path());
    list.resize(200, 300); // room below the entries
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    list.setSelectedIndex(2);
    QSignalSpy spy(&list, &FileListBox::entrySelected);
    const auto expectHighlightOnSelected = [&](const QString& what) {
        const QList<QListWidgetItem*> highlighted = list.selectedItems();
        ASSERT_EQ(highlighted.size(), 1) << what.toStdString();
        EXPECT_EQ(list.row(highlighted.first()), list.selectedIndex()) << what.toStdString();
        EXPECT_EQ(spy.isEmpty() ? 2 : spy.last().at(0).toInt(), list.selectedIndex())
            << what.toStdString() << ": the details shown are the selected entry's";
    };
    const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::ControlModifier,
                                               Qt::ShiftModifier, Qt::AltModifier,
                                               Qt::ControlModifier | Qt::ShiftModifier};
    const Qt::Key keys[] = {Qt::Key_Space, Qt::Key_Down,   Qt::Key_Up,       Qt::Key_Home,
                            Qt::Key_End,   Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Right,
                            Qt::Key_Left,  Qt::Key_B,      Qt::Key_Space};
    for (const Qt::KeyboardModifiers held : modifiers) {
        for (const Qt::Key key : keys) {
            QTest::keyClick(&list, key, held);
            expectHighlightOnSelected(QKeySequence(key | held).toString());
        }
        for (int row = 0; row <= list.count(); ++row) {
            // Each entry twice (a click on the selected one), then the room below them.
            const QPoint at = row < list.count() ? list.visualItemRect(list.item(row)).center()
                                                 : QPoint(20, list.viewport()->height() - 5);
            for (int twice = 0; twice < 2; ++twice) {
                QTest::mouseClick(list.viewport(), Qt::LeftButton, held, at);
                expectHighlightOnSelected(
                    QString("click on row %1 with %2").arg(row).arg(QKeySequence(held).toString()));
            }
        }
    }
}

TEST_F(FileListBoxTest, MissingOrUnreadableDirectoryGivesAnEmptyList) {
    list.setPattern("*.drv");
    list.setPath(dir.path());
    ASSERT_EQ(list.count(), 3);
    QSignalSpy pathSpy(&list, &FileListBox::pathChanged);
    list.setPath(dir.path() + "/does-not-exist");
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(pathSpy.count(), 1);
    list.setPath(dir.filePath("b.drv")); // a file, not a directory
    EXPECT_EQ(list.count(), 0);
}

TEST_F(FileListBoxTest, NamesWithEightBitAndSpecialCharactersAreListedAsTheyAre) {
    const QString name = QString::fromUtf8("M\xc3\xbcller & <b>Sons<i>.drv");
    ASSERT_TRUE(writeFile(dir.filePath(name), "x"));
    list.setPattern("*.drv");
    list.setPath(dir.path());
    EXPECT_TRUE(entries().contains(name));
}

} // namespace
