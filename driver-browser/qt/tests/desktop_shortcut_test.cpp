// The desktop shortcut on Linux: the file written by its bytes' path, replaced whole, refused
// where it is not a regular file, and the message boxes as Qt shows them. The bytes, the path
// and the texts are the core's (shortcut_file_test).
#include "desktop_shortcut.h"
#include "form1_test_support.h"
#include "modal_box_watch.h"
#include "native_names.h"
#include "shortcut_file.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray expectedBytes(tolvane::kShortcutContents, tolvane::kShortcutSize);

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

struct BoxSeen {
    QString objectName, title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    int buttonCount = 0;
    Qt::WindowModality modality = Qt::NonModal;
    bool modal = false;
    int lines = 0; // lines of the text as the box lays it out
};

BoxSeen record(QMessageBox* box) {
    BoxSeen seen;
    seen.objectName = box->objectName();
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.buttons = box->standardButtons();
    seen.buttonCount = int(box->buttons().size());
    seen.modality = box->windowModality();
    seen.modal = box->isModal();
    if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
        seen.lines = label->fontMetrics()
                         .boundingRect(QRect(0, 0, 100000, 100000), Qt::AlignLeft, label->text())
                         .height() /
                     label->fontMetrics().height();
    return seen;
}

struct Shortcut : ::testing::Test {
    form1_test::TempPrefix noUserDesktop; // a Wine prefix whose registry names no Desktop
    QTemporaryDir winDir;
    QWidget owner;
    QString shortcut;
    void SetUp() override {
        ASSERT_TRUE(winDir.isValid());
        shortcut = winDir.path() + "/desktop/Harrowmint.URL";
    }
    // Clicks the picture once; returns every message box shown (and closed) meanwhile.
    QList<BoxSeen> click(const QByteArray& winPath) {
        QList<BoxSeen> boxes;
        ModalWatch<QMessageBox> watch([&](QMessageBox* box) { boxes.append(record(box)); });
        tolvane::createDesktopShortcut(&owner, winPath);
        return boxes;
    }
    QList<BoxSeen> click() { return click(QFile::encodeName(winDir.path())); }
};

} // namespace

TEST_F(Shortcut, AClickReplacesTheWholeFileAndThanks) {
    ASSERT_TRUE(QDir(winDir.path()).mkdir("desktop"));
    {
        QFile old(shortcut);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(500, 'z'));
    }
    const QList<BoxSeen> boxes = click();
    EXPECT_EQ(readAll(shortcut), expectedBytes);
    EXPECT_EQ(QDir(winDir.path() + "/desktop")
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList{"Harrowmint.URL"})
        << "nothing else is left on the desktop";
    ASSERT_EQ(boxes.size(), 1);
    const BoxSeen& box = boxes[0];
    EXPECT_EQ(box.objectName, tolvane::ThankYouBoxName);
    EXPECT_EQ(box.title, "Thank You!");
    // Stored with a lone carriage return; the box breaks the line there.
    EXPECT_EQ(box.text, "A link to our Website has been created on your desktop.\n"
                        "To access our page, siply double click the shorcut icon.");
    EXPECT_EQ(box.lines, 2) << "the two sentences share one line";
    EXPECT_EQ(box.icon, QMessageBox::Information);
    EXPECT_EQ(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(box.buttonCount, 1);
    EXPECT_EQ(box.modality, Qt::ApplicationModal);
    EXPECT_TRUE(box.modal);
}

TEST_F(Shortcut, WhatCannotBeWrittenIsToldWithTheSystemsReasonAndNoThanks) {
    // No desktop folder, a desktop that is a file, a shortcut name taken by a folder.
    const struct {
        const char* desktop; // what stands at winDir/desktop: "" nothing, "file", "folder"
        const char* reason;  // in the warning
    } cases[] = {{"", "No such file or directory"},
                 {"file", "Not a directory"},
                 {"folder", "Is a directory"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.desktop);
        QTemporaryDir dir;
        const QString desktop = dir.path() + "/desktop";
        if (QByteArray(c.desktop) == "file") {
            QFile file(desktop);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("a file named desktop");
        } else if (QByteArray(c.desktop) == "folder") {
            ASSERT_TRUE(QDir().mkpath(desktop + "/Harrowmint.URL"));
        }
        const QList<BoxSeen> boxes = click(QFile::encodeName(dir.path()));
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_EQ(boxes[0].objectName, tolvane::ShortcutFailedBoxName);
        EXPECT_EQ(boxes[0].icon, QMessageBox::Warning);
        EXPECT_EQ(boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        EXPECT_TRUE(boxes[0].text.contains(desktop + "/Harrowmint.URL"))
            << boxes[0].text.toStdString();
        EXPECT_TRUE(boxes[0].text.contains(c.reason, Qt::CaseInsensitive))
            << boxes[0].text.toStdString();
        EXPECT_EQ(QFileInfo(desktop).exists(), QByteArray(c.desktop) != "") << "no folder is made";
        if (QByteArray(c.desktop) == "file")
            EXPECT_EQ(readAll(desktop), "a file named desktop") << "the file is left as it was";
    }
}

TEST_F(Shortcut, APlaceThatIsNotARegularFileIsRefusedWithoutWaiting) {
    // A FIFO without a reader (an open for writing would wait for one), a FIFO with a reader
    // (the bytes would vanish into it) and a link to a device: the warning with the reason in
    // plain words, and no thanks. The alarm ends the test if the click blocks.
    ASSERT_TRUE(QDir(winDir.path()).mkdir("desktop"));
    const QByteArray place = QFile::encodeName(shortcut);
    for (const char* kind : {"fifo", "fifo with a reader", "link to /dev/null"}) {
        int reader = -1;
        if (std::strcmp(kind, "link to /dev/null") == 0) {
            ASSERT_EQ(::symlink("/dev/null", place.constData()), 0);
        } else {
            ASSERT_EQ(::mkfifo(place.constData(), 0600), 0);
            if (std::strcmp(kind, "fifo with a reader") == 0)
                reader = ::open(place.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        }
        ::alarm(30);
        const QList<BoxSeen> boxes = click();
        ::alarm(0);
        ASSERT_EQ(boxes.size(), 1) << kind;
        EXPECT_EQ(boxes[0].objectName, tolvane::ShortcutFailedBoxName) << kind;
        EXPECT_TRUE(boxes[0].text.endsWith("\nReason: it is not a regular file"))
            << boxes[0].text.toStdString();
        if (reader >= 0) {
            char byte = 0;
            EXPECT_LE(::read(reader, &byte, 1), 0) << "bytes went into the FIFO";
            ::close(reader);
        }
        ASSERT_EQ(::unlink(place.constData()), 0);
    }
}

// The bytes of a file named by its bytes, or "<unreadable>".
static QByteArray readAllByBytes(const QByteArray& name) {
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return "<unreadable>";
    QByteArray bytes;
    char buffer[256];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, n);
    ::close(fd);
    return bytes;
}

TEST_F(Shortcut, AWindowsDirectoryWhoseNameIsNotUtf8GetsTheShortcutByItsBytes) {
    // The Windows directory "W", 0xE9: not UTF-8, so carried losslessly in the path.
    const QByteArray windows = QFile::encodeName(winDir.path()) + "/W\xE9";
    ASSERT_EQ(::mkdir(windows.constData(), 0700), 0);

    // No desktop folder yet: the warning names the path as the user sees it.
    QList<BoxSeen> boxes = click(windows);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].objectName, tolvane::ShortcutFailedBoxName);
    EXPECT_TRUE(boxes[0].text.contains(QString::fromUtf16(u"/W\u00E9/desktop/Harrowmint.URL")))
        << boxes[0].text.toStdString();

    ASSERT_EQ(::mkdir((windows + "/desktop").constData(), 0700), 0);
    boxes = click(windows);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].objectName, tolvane::ThankYouBoxName);
    EXPECT_EQ(readAllByBytes(windows + "/desktop/Harrowmint.URL"), expectedBytes);
}
