// The "Select Path" dialog as Qt builds it: the machine's drives, the dialog's result and
// keys, and the modal run. Its definition, and what it shows and hands back step by step, are
// the conformance tables', played against both front-ends.
#include "changedir.h"
#include "machine_drives.h"
#include "modal_box_watch.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(QDir::cleanPath(path));
}

// Two "drives" A and B in a temporary directory: A/alpha/inner and B/gamma.
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
        for (const QString& d : {inner, gamma})
            ASSERT_TRUE(QDir().mkpath(d));
        drives = {a, b};
    }
    void TearDown() override { QDir::setCurrent(savedCwd); }

    static QListWidget* dir1(changedir& d) { return d.findChild<QListWidget*>("Dir1"); }
    static QComboBox* drive1(changedir& d) { return d.findChild<QComboBox*>("Drive1"); }
    static QPushButton* button(changedir& d, const char* name) {
        return d.findChild<QPushButton*>(name);
    }
};

} // namespace

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
}

TEST_F(SelectPath, OkAcceptsCancelAndTheFrameReject) {
    for (const char* how : {"Command1", "Command2", "frame"}) {
        QString newpath = alpha;
        changedir dlg(alpha, newpath, drives);
        dlg.show();
        if (QString(how) == "frame")
            EXPECT_TRUE(dlg.close());
        else
            QTest::mouseClick(button(dlg, how), Qt::LeftButton);
        EXPECT_FALSE(dlg.isVisible()) << how;
        EXPECT_EQ(dlg.result(), QString(how) == "Command1" ? QDialog::Accepted : QDialog::Rejected)
            << how;
    }
}

TEST_F(SelectPath, TheKeypadsEnterActsOnAFocusedButtonOnly) {
    QString newpath = "before";
    changedir dlg(alpha, newpath, drives);
    dlg.show();
    for (QWidget* w : {static_cast<QWidget*>(dir1(dlg)), static_cast<QWidget*>(drive1(dlg))}) {
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Enter);
        EXPECT_TRUE(dlg.isVisible()) << w->objectName().toStdString();
        EXPECT_EQ(newpath, "before");
    }
    button(dlg, "Command2")->setFocus();
    QTest::keyClick(button(dlg, "Command2"), Qt::Key_Enter);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(newpath, "before");
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
            EXPECT_EQ(box->objectName(), "changedirFailedBox");
            EXPECT_EQ(box->icon(), QMessageBox::Warning);
        },
        [&](QMessageBox* box) {
            box->close();
            QTimer::singleShot(0, &dlg, [&] { dlg.reject(); });
        });
    dlg.exec();
    EXPECT_EQ(watch.seen(), 1);
    EXPECT_TRUE(told.contains(missing)) << told.toStdString();
    EXPECT_EQ(newpath, missing);
    EXPECT_EQ(drive1(dlg)->currentText(), a);
    // The process's current directory is not on drive A: the dialog shows A's root.
    EXPECT_EQ(dir1(dlg)->currentItem()->data(changedir::PathRole).toString(), a);
}

TEST_F(SelectPath, RunsModallyAndHandsBackThroughNewpath) {
    QString newpath = alpha;
    changedir dlg(alpha, newpath, drives);
    QTimer::singleShot(0, &dlg, [&] {
        EXPECT_EQ(QApplication::activeModalWidget(), &dlg);
        drive1(dlg)->setCurrentIndex(1); // drive B opens at its root
        button(dlg, "Command1")->click();
    });
    QTimer::singleShot(5000, &dlg, [&] {
        ADD_FAILURE() << "the dialog did not close";
        dlg.reject();
    });
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_EQ(newpath, b);
}
