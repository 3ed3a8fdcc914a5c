// The "Select Path" dialog: the drive and directory lists, and every way of leaving it,
// on temporary directory trees with drives given to the dialog.
#include "changedir.h"
#include "directory_list.h"
#include "drive_list.h"
#include "file_list_box.h"
#include "modal_box_watch.h"
#include "native_names.h"

#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(QDir::cleanPath(path));
}

// Two "drives" A and B in a temporary directory:
//   A/alpha/{beta2, inner, Zeta, .hidden, file.txt}, A/other, B/gamma
struct SelectPath : ::testing::Test {
    QTemporaryDir root;
    QString a, b, alpha, inner, gamma;
    QStringList drives;
    QString savedCwd = QDir::currentPath();

    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        a = native(root.path() + "/A");
        b = native(root.path() + "/B");
        alpha = native(a + "/alpha");
        inner = native(alpha + "/inner");
        gamma = native(b + "/gamma");
        for (const QString& d : {inner, native(alpha + "/beta2"), native(alpha + "/Zeta"),
                                 native(alpha + "/.hidden"), native(a + "/other"), gamma})
            ASSERT_TRUE(QDir().mkpath(d));
        QFile file(alpha + "/file.txt");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        drives = {a, b};
    }
    void TearDown() override { QDir::setCurrent(savedCwd); }

    static DirectoryList* dir1(changedir& d) { return d.findChild<DirectoryList*>("Dir1"); }
    static DriveList* drive1(changedir& d) { return d.findChild<DriveList*>("Drive1"); }
    static QPushButton* button(changedir& d, const char* name) {
        return d.findChild<QPushButton*>(name);
    }
    static int rowOf(DirectoryList* list, const QString& path) {
        for (int row = 0; row < list->count(); ++row)
            if (list->item(row)->data(DirectoryList::PathRole).toString() == path)
                return row;
        return -1;
    }
    static QStringList entries(DirectoryList* list) {
        QStringList paths;
        for (int row = 0; row < list->count(); ++row)
            paths.append(list->item(row)->data(DirectoryList::PathRole).toString());
        return paths;
    }
};

} // namespace

// ---- the helpers behind the two lists ----

TEST(DriveTable, MountTableKeepsRealFileSystemsOnly) {
    const QByteArray table = "overlay / overlay rw,relatime 0 0\n"
                             "proc /proc proc rw,nosuid 0 0\n"
                             "tmpfs /dev tmpfs rw,nosuid 0 0\n"
                             "devpts /dev/pts devpts rw 0 0\n"
                             "sysfs /sys sysfs ro 0 0\n"
                             "cgroup /sys/fs/cgroup cgroup2 ro 0 0\n"
                             "tmpfs /run tmpfs rw 0 0\n"
                             "tmpfs /run/user/1000 tmpfs rw 0 0\n"
                             "/dev/sda2 /home ext4 rw 0 0\n"
                             "/dev/sdb1 /mnt/my\\040disk vfat rw 0 0\n"
                             "/dev/sdc1 /mnt/back\\134slash ext4 rw 0 0\n"
                             "tmpfs /tmp tmpfs rw 0 0\n"
                             "/dev/sda2 /home ext4 rw 0 0\n"
                             "binfmt_misc /proc/sys/fs/binfmt_misc binfmt_misc rw 0 0\n"
                             "short line\n"
                             "\n"
                             "mqueue /mq mqueue rw 0 0\n";
    EXPECT_EQ(tolvane::drivesFromMountTable(table),
              QStringList({"/", "/home", "/mnt/back\\slash", "/mnt/my disk", "/tmp"}));
}

TEST(DriveTable, MachineDrivesIncludeTheRoot) {
    const QStringList drives = tolvane::machineDrives();
    ASSERT_FALSE(drives.isEmpty());
    EXPECT_TRUE(drives.contains("/"));
    EXPECT_EQ(tolvane::driveOfPath(QDir::currentPath(), drives).isEmpty(), false);
}

TEST(DriveTable, DriveOfPathIsTheLongestWholeComponentPrefix) {
    const QStringList drives = {"/", "/home", "/home/user/data", "/mnt/usb"};
    EXPECT_EQ(tolvane::driveOfPath("/", drives), "/");
    EXPECT_EQ(tolvane::driveOfPath("/etc", drives), "/");
    EXPECT_EQ(tolvane::driveOfPath("/home", drives), "/home");
    EXPECT_EQ(tolvane::driveOfPath("/homework/x", drives), "/");
    EXPECT_EQ(tolvane::driveOfPath("/home/user/data/x/y", drives), "/home/user/data");
    EXPECT_EQ(tolvane::driveOfPath("/home/user/database", drives), "/home");
    EXPECT_EQ(tolvane::driveOfPath("/mnt/usb/", drives), "/mnt/usb");
    EXPECT_EQ(tolvane::driveOfPath("/mnt/usb2", drives), "/");
    EXPECT_EQ(tolvane::driveOfPath("/x", QStringList{"/mnt"}), "");
}

TEST(DriveTable, DriveOfPathAgreesWithAComponentwiseReference) {
    // Random drive sets and paths over a small alphabet of components, so that prefixes
    // that are not whole components ("ab" of "abc") turn up often.
    const QStringList parts = {"a", "ab", "abc", "b", "ba"};
    QRandomGenerator random(20261208);
    auto randomPath = [&](int maxDepth) {
        const int depth = random.bounded(maxDepth + 1);
        QString path;
        for (int i = 0; i < depth; ++i)
            path += "/" + parts[random.bounded(int(parts.size()))];
        return path.isEmpty() ? QStringLiteral("/") : path;
    };
    auto components = [](const QString& p) { return p.split('/', Qt::SkipEmptyParts); };
    for (int round = 0; round < 5000; ++round) {
        QStringList drives;
        for (int i = random.bounded(1, 6); i > 0; --i) {
            const QString d = randomPath(3);
            if (!drives.contains(d))
                drives.append(d);
        }
        const QString path = randomPath(5);
        QString expected;
        int bestDepth = -1;
        for (const QString& d : drives) {
            const QStringList dc = components(d), pc = components(path);
            if (dc.size() <= pc.size() && pc.mid(0, dc.size()) == dc && dc.size() > bestDepth) {
                bestDepth = int(dc.size());
                expected = d;
            }
        }
        ASSERT_EQ(tolvane::driveOfPath(path, drives), expected)
            << path.toStdString() << " in " << drives.join(' ').toStdString();
    }
}

TEST_F(SelectPath, DriveOpensAtTheCurrentDirectoryWhenItLiesThereElseAtItsRoot) {
    ASSERT_TRUE(QDir::setCurrent(gamma));
    EXPECT_EQ(tolvane::currentDirectoryOfDrive(b, drives), native(QDir::currentPath()));
    EXPECT_EQ(tolvane::currentDirectoryOfDrive(a, drives), a);
}

TEST_F(SelectPath, DirectoryBranchRunsFromTheRootDown) {
    const QStringList branch = tolvane::directoryBranch(inner);
    ASSERT_GE(branch.size(), 4);
    EXPECT_TRUE(QDir(branch.first()).isRoot());
    EXPECT_EQ(branch.last(), inner);
    EXPECT_EQ(branch[branch.size() - 2], alpha);
    for (int i = 1; i < branch.size(); ++i)
        EXPECT_EQ(native(QFileInfo(branch[i]).path()), branch[i - 1]);
    EXPECT_EQ(tolvane::directoryBranch(inner + "/../inner/."), branch);
    EXPECT_EQ(tolvane::directoryBranch(QDir::rootPath()), QStringList{native(QDir::rootPath())});
}

TEST_F(SelectPath, SubdirectoriesAreSortedWithoutHiddenOnesOrFiles) {
    QStringList names;
    QString error;
    ASSERT_TRUE(tolvane::readSubdirectories(alpha, &names, &error));
    EXPECT_EQ(names, QStringList({"beta2", "inner", "Zeta"}));
    EXPECT_FALSE(tolvane::readSubdirectories(alpha + "/missing", &names, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(names, QStringList({"beta2", "inner", "Zeta"})) << "left alone on failure";
}

// ---- the dialog ----

TEST_F(SelectPath, DefinitionMatchesTheWindow) {
    QString newpath = alpha;
    changedir dlg(alpha, newpath, drives);
    EXPECT_EQ(dlg.objectName(), "changedir");
    EXPECT_EQ(dlg.windowTitle(), "Select Path");
    EXPECT_EQ(dlg.geometry(), QRect(120, 164, 191, 107));
    EXPECT_EQ(dlg.minimumSize(), QSize(191, 107));
    EXPECT_EQ(dlg.maximumSize(), QSize(191, 107));
    EXPECT_EQ(button(dlg, "Command1")->text(), "OK");
    EXPECT_EQ(button(dlg, "Command1")->geometry(), QRect(16, 80, 65, 25));
    EXPECT_EQ(button(dlg, "Command2")->text(), "Cancel");
    EXPECT_EQ(button(dlg, "Command2")->geometry(), QRect(112, 80, 65, 25));
    EXPECT_EQ(drive1(dlg)->geometry(), QRect(0, 0, 193, 21));
    EXPECT_EQ(dir1(dlg)->geometry(), QRect(0, 24, 193, 47));
    for (const char* name : {"Command1", "Command2"}) {
        EXPECT_FALSE(button(dlg, name)->isDefault()) << name;
        EXPECT_FALSE(button(dlg, name)->autoDefault()) << name;
    }
    // Tab order: Dir1, Drive1, OK, Cancel; the focus starts on Dir1.
    QStringList chain;
    for (QWidget* w = dlg.nextInFocusChain(); w != &dlg; w = w->nextInFocusChain())
        if (w->parentWidget() == &dlg && (w->focusPolicy() & Qt::TabFocus))
            chain.append(w->objectName());
    EXPECT_EQ(chain, QStringList({"Dir1", "Drive1", "Command1", "Command2"}));
    dlg.show();
    EXPECT_EQ(dlg.focusWidget(), dir1(dlg));
    EXPECT_FALSE(dlg.windowFlags() & Qt::WindowMaximizeButtonHint);
    const QList<QSize> sizes = dlg.windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
}

TEST_F(SelectPath, LoadShowsTheListsDirectoryAsAnOpenBranchAndItsDrive) {
    QString newpath = alpha;
    changedir dlg(alpha, newpath, drives);
    EXPECT_EQ(drive1(dlg)->drives(), drives);
    EXPECT_EQ(drive1(dlg)->drive(), a);
    DirectoryList* list = dir1(dlg);
    EXPECT_EQ(list->path(), alpha);
    QStringList expected = tolvane::directoryBranch(alpha);
    for (const char* child : {"beta2", "inner", "Zeta"})
        expected.append(alpha + QDir::separator() + child);
    EXPECT_EQ(entries(list), expected);
    EXPECT_EQ(list->currentRow(), rowOf(list, alpha));
    EXPECT_EQ(list->currentDirectoryRow(), rowOf(list, alpha));
    // The branch is indented one step per level, the subdirectories one step deeper.
    EXPECT_EQ(list->item(rowOf(list, inner))->text().trimmed(), "inner");
    EXPECT_GT(list->item(rowOf(list, inner))->text().indexOf('i'),
              list->item(rowOf(list, alpha))->text().indexOf('a'));
}

TEST_F(SelectPath, LoadMovesTheDriveListToTheListsDrive) {
    QString newpath = gamma;
    changedir dlg(gamma, newpath, drives);
    EXPECT_EQ(drive1(dlg)->drive(), b);
    EXPECT_EQ(dir1(dlg)->path(), gamma);
}

TEST_F(SelectPath, OkWithoutNavigationReturnsTheListsDirectory) {
    QString newpath = "before";
    changedir dlg(alpha, newpath, drives);
    dlg.show();
    QTest::mouseClick(button(dlg, "Command1"), Qt::LeftButton);
    EXPECT_EQ(newpath, alpha);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
}

TEST_F(SelectPath, CancelLeavesNewpath) {
    QString newpath = alpha;
    changedir dlg(alpha, newpath, drives);
    dlg.show();
    QTest::mouseDClick(
        dir1(dlg)->viewport(), Qt::LeftButton, {},
        dir1(dlg)->visualItemRect(dir1(dlg)->item(rowOf(dir1(dlg), inner))).center());
    ASSERT_EQ(dir1(dlg)->path(), inner);
    QTest::mouseClick(button(dlg, "Command2"), Qt::LeftButton);
    EXPECT_EQ(newpath, alpha);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
}

TEST_F(SelectPath, ClosingByTheFrameLeavesNewpath) {
    QString newpath = alpha;
    changedir dlg(alpha, newpath, drives);
    dlg.show();
    dir1(dlg)->setPath(inner);
    EXPECT_TRUE(dlg.close());
    EXPECT_EQ(newpath, alpha);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
}

TEST_F(SelectPath, EscapeDoesNotCancel) {
    QString newpath = alpha;
    changedir dlg(alpha, newpath, drives);
    dlg.show();
    for (QWidget* w : {static_cast<QWidget*>(dir1(dlg)), static_cast<QWidget*>(drive1(dlg)),
                       static_cast<QWidget*>(button(dlg, "Command1"))}) {
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Escape);
        EXPECT_TRUE(dlg.isVisible()) << w->objectName().toStdString();
    }
}

TEST_F(SelectPath, HighlightingWithoutOpeningThenOkReturnsThePreviousDirectory) {
    QString newpath = "before";
    changedir dlg(alpha, newpath, drives);
    dlg.show();
    DirectoryList* list = dir1(dlg);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(rowOf(list, inner))).center());
    ASSERT_EQ(list->currentRow(), rowOf(list, inner));
    QTest::keyClick(list, Qt::Key_Up); // highlight moves, nothing opens
    EXPECT_EQ(list->path(), alpha);
    QTest::mouseClick(button(dlg, "Command1"), Qt::LeftButton);
    EXPECT_EQ(newpath, alpha);
}

TEST_F(SelectPath, ChoosingAnotherDriveThenOkReturnsThatDrivesCurrentDirectory) {
    {
        QString newpath = alpha;
        changedir dlg(alpha, newpath, drives);
        dlg.show();
        drive1(dlg)->setCurrentIndex(int(drives.indexOf(b)));
        EXPECT_EQ(dir1(dlg)->path(), b);
        button(dlg, "Command1")->click();
        EXPECT_EQ(newpath, b);
    }
    ASSERT_TRUE(QDir::setCurrent(gamma)); // the process's current directory lies on B
    {
        QString newpath = alpha;
        changedir dlg(alpha, newpath, drives);
        dlg.show();
        drive1(dlg)->setCurrentIndex(int(drives.indexOf(b)));
        button(dlg, "Command1")->click();
        EXPECT_EQ(newpath, gamma);
    }
}

TEST_F(SelectPath, EnterOutsideTheButtonsDoesNotConfirm) {
    QString newpath = "before";
    changedir dlg(alpha, newpath, drives);
    dlg.show();
    for (QWidget* w : {static_cast<QWidget*>(dir1(dlg)), static_cast<QWidget*>(drive1(dlg))}) {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            w->setFocus();
            QTest::keyClick(w, key);
            EXPECT_TRUE(dlg.isVisible()) << w->objectName().toStdString();
            EXPECT_EQ(newpath, "before");
        }
    }
    EXPECT_EQ(dir1(dlg)->path(), alpha) << "Enter on the open directory reopens it";
}

TEST_F(SelectPath, EnterOnAFocusedButtonPressesIt) {
    {
        QString newpath = "before";
        changedir dlg(alpha, newpath, drives);
        dlg.show();
        button(dlg, "Command1")->setFocus();
        QTest::keyClick(button(dlg, "Command1"), Qt::Key_Return);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(newpath, alpha);
    }
    {
        QString newpath = "before";
        changedir dlg(alpha, newpath, drives);
        dlg.show();
        button(dlg, "Command2")->setFocus();
        QTest::keyClick(button(dlg, "Command2"), Qt::Key_Enter);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(newpath, "before");
    }
}

TEST_F(SelectPath, EnterOnAHighlightedDirectoryOpensIt) {
    QString newpath = "before";
    changedir dlg(alpha, newpath, drives);
    dlg.show();
    DirectoryList* list = dir1(dlg);
    list->setFocus();
    list->setCurrentRow(rowOf(list, inner));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(list->path(), inner);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(entries(list), tolvane::directoryBranch(inner));
    // Up to an ancestor by Enter as well.
    list->setCurrentRow(rowOf(list, a));
    QTest::keyClick(list, Qt::Key_Enter);
    EXPECT_EQ(list->path(), a);
    QTest::mouseClick(button(dlg, "Command1"), Qt::LeftButton);
    EXPECT_EQ(newpath, a);
}

TEST_F(SelectPath, DoubleClickOpensAnAncestorOrASubdirectory) {
    QString newpath = "before";
    changedir dlg(alpha, newpath, drives);
    dlg.show();
    DirectoryList* list = dir1(dlg);
    auto doubleClick = [&](const QString& path) {
        const int row = rowOf(list, path);
        ASSERT_GE(row, 0) << path.toStdString();
        list->scrollToItem(list->item(row));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                           list->visualItemRect(list->item(row)).center());
    };
    doubleClick(native(alpha + "/Zeta"));
    EXPECT_EQ(list->path(), native(alpha + "/Zeta"));
    doubleClick(a);
    EXPECT_EQ(list->path(), a);
    EXPECT_EQ(entries(list).mid(entries(list).size() - 2),
              QStringList({alpha, native(a + "/other")}));
    button(dlg, "Command1")->click();
    EXPECT_EQ(newpath, a);
}

TEST_F(SelectPath, ADirectoryGoneAfterListingKeepsTheDialogRestoresAndTells) {
    QString newpath = "before";
    changedir dlg(alpha, newpath, drives);
    dlg.show();
    DirectoryList* list = dir1(dlg);
    const QStringList before = entries(list);
    ASSERT_TRUE(QDir(inner).removeRecursively());

    QString told;
    ModalWatch<QMessageBox> watch([&](QMessageBox* box) {
        EXPECT_EQ(box->objectName(), "changedirFailedBox");
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        told = box->text();
    });
    list->setCurrentRow(rowOf(list, inner));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(watch.seen(), 1);
    EXPECT_TRUE(told.contains(inner)) << told.toStdString();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(list->path(), alpha);
    EXPECT_EQ(entries(list), before);
    EXPECT_EQ(list->currentRow(), rowOf(list, alpha));
    button(dlg, "Command1")->click();
    EXPECT_EQ(newpath, alpha);
}

TEST_F(SelectPath, AnUnreadableDriveKeepsTheDialogRestoresAndTells) {
    const QString missing = native(root.path() + "/C");
    drives.append(missing); // listed, but nothing there
    QString newpath = "before";
    changedir dlg(alpha, newpath, drives);
    dlg.show();
    QString told;
    ModalWatch<QMessageBox> watch([&](QMessageBox* box) { told = box->text(); });
    drive1(dlg)->setCurrentIndex(int(drives.indexOf(missing)));
    EXPECT_EQ(watch.seen(), 1);
    EXPECT_TRUE(told.contains(missing)) << told.toStdString();
    EXPECT_EQ(drive1(dlg)->drive(), a);
    EXPECT_EQ(dir1(dlg)->path(), alpha);
    EXPECT_TRUE(dlg.isVisible());

    // Other drives still work afterwards, and coming back to A shows its root.
    drive1(dlg)->setCurrentIndex(int(drives.indexOf(b)));
    EXPECT_EQ(dir1(dlg)->path(), b);
    drive1(dlg)->setCurrentIndex(int(drives.indexOf(a)));
    EXPECT_EQ(dir1(dlg)->path(), a);
}

TEST_F(SelectPath, AListPathThatCannotBeReadIsToldOnceTheDialogIsUp) {
    const QString missing = native(a + "/missing");
    QString newpath = missing;
    changedir dlg(missing, newpath, drives);
    QString told;
    ModalWatch<QMessageBox> watch(
        [&](QMessageBox* box) {
            told = box->text();
            EXPECT_EQ(box->parentWidget(), &dlg);
        },
        [&](QMessageBox* box) {
            box->close();
            QTimer::singleShot(0, &dlg, [&] { dlg.reject(); });
        });
    dlg.exec();
    EXPECT_EQ(watch.seen(), 1);
    EXPECT_TRUE(told.contains(missing)) << told.toStdString();
    EXPECT_EQ(newpath, missing);
    EXPECT_EQ(drive1(dlg)->drive(), a);
    // The process's current directory is not on drive A: the dialog shows A's root.
    EXPECT_EQ(dir1(dlg)->path(), a);
}

TEST_F(SelectPath, AnUnreadableListPathStillShowsADirectoryToMoveFrom) {
    const QString missing = native(a + "/missing");
    struct Case {
        QString listPath, cwd, shown;
    };
    // The drive's current directory when the process's lies on it, else the drive's root;
    // with no path at all, the drive of the current directory.
    const Case cases[] = {{missing, savedCwd, a},
                          {missing, native(alpha + "/beta2"), native(alpha + "/beta2")},
                          {QString(), gamma, gamma},
                          {native(b + "/nowhere"), inner, b}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.listPath.toStdString() + " from " + c.cwd.toStdString());
        ASSERT_TRUE(QDir::setCurrent(c.cwd));
        QString newpath = c.listPath;
        changedir dlg(c.listPath, newpath, drives);
        ModalWatch<QMessageBox> watch;
        dlg.show();
        QElapsedTimer waited;
        waited.start();
        while (watch.seen() == 0 && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        EXPECT_EQ(watch.seen(), 1) << "the failure is told";
        DirectoryList* list = dir1(dlg);
        EXPECT_EQ(list->path(), c.shown);
        EXPECT_EQ(drive1(dlg)->drive(), tolvane::driveOfPath(c.shown, drives));
        // The user can move on: the list holds more than the current directory.
        ASSERT_GT(list->count(), 1);
        EXPECT_EQ(list->item(list->currentDirectoryRow())->data(DirectoryList::PathRole), c.shown);
        button(dlg, "Command1")->click();
        EXPECT_EQ(newpath, c.shown) << "OK hands back what the dialog shows";
        EXPECT_FALSE(newpath.isEmpty());
    }
}

TEST_F(SelectPath, ADirectoryNameThatIsNotUtf8IsShownThroughTheCodePageAndOpens) {
    // The bytes "D", 0xE9 as the directory's name, and a driver in it named "x", 0xFC, ".drv".
    const QByteArray dirBytes = QFile::encodeName(alpha) + "/D\xE9";
    ASSERT_EQ(::mkdir(dirBytes.constData(), 0700), 0);
    // Created by its bytes: QFile would take the name as text.
    const int fd = ::open((dirBytes + "/x\xFC.drv").constData(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ::close(fd);

    QString newpath = alpha;
    changedir dlg(alpha, newpath, drives);
    dlg.show();
    DirectoryList* list = dir1(dlg);
    int row = -1;
    for (int r = 0; r < list->count(); ++r) {
        if (list->item(r)->text().trimmed() == QString::fromUtf16(u"D\u00E9"))
            row = r;
    }
    ASSERT_GE(row, 0) << "the name is not shown through the code page";
    list->setCurrentRow(row);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(tolvane::pathToNative(list->path()), dirBytes) << "the directory did not open";
    // Opened, it heads its own branch, shown the same way.
    EXPECT_EQ(list->item(list->currentDirectoryRow())->text().trimmed(),
              QString::fromUtf16(u"D\u00E9"));
    button(dlg, "Command1")->click();
    EXPECT_EQ(tolvane::pathToNative(newpath), dirBytes);

    // The driver list opens the directory handed back and lists the driver in it.
    FileListBox files;
    files.setPattern("*.drv");
    files.setPath(newpath);
    ASSERT_EQ(files.count(), 1);
    EXPECT_EQ(files.entry(0), QString::fromUtf16(u"x\u00FC.drv"));
    EXPECT_EQ(files.entryFileName(0), QByteArray("x\xFC.drv"));
}

TEST_F(SelectPath, RunsModallyAndHandsBackThroughNewpath) {
    QString newpath = alpha;
    changedir dlg(alpha, newpath, drives);
    QTimer::singleShot(0, &dlg, [&] {
        EXPECT_EQ(QApplication::activeModalWidget(), &dlg);
        dir1(dlg)->setPath(gamma);
        button(dlg, "Command1")->click();
    });
    QTimer::singleShot(5000, &dlg, [&] {
        ADD_FAILURE() << "the dialog did not close";
        dlg.reject();
    });
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_EQ(newpath, gamma);
}
